#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace testsupport
{

using ZipEntries = QList<QPair<QString, QByteArray>>;

// Writes entries, in order and deflated, as a zip at path. Tests build their documents
// with it, so no sample file from elsewhere is needed.
bool writeZip(const QString &path, const ZipEntries &entries);
// The entries of the zip at path, in order; empty when it cannot be read.
ZipEntries readZip(const QString &path);
// The data of one entry of the zip at path; empty when it has none of that name.
QByteArray zipEntry(const QString &path, const QString &name);
// entries with the XML part named part declaring a document type with an entity before its
// root element: what the engines refuse, since they would write the entity's uses back as
// literal text.
ZipEntries declaringEntity(ZipEntries entries, const QString &part);

} // namespace testsupport

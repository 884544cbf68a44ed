#pragma once

#include <QByteArray>
#include <QString>

namespace testsupport
{

// Files whose names are raw bytes, such as names that are no valid UTF-8 and that no
// QString path can spell.
bool writeFileNamedInBytes(const QString &folder, const QByteArray &name, const QByteArray &bytes);
// Empty when the file cannot be read.
QByteArray readFileNamedInBytes(const QString &folder, const QByteArray &name);

} // namespace testsupport

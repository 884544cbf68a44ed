#pragma once

#include <QString>

// How the document engines word a file they cannot open or save, for the user: the file's
// path, then the reason, in the interface's language.
namespace office
{

QString cannotOpen(const QString &path, const QString &reason);
QString cannotSave(const QString &path, const QString &reason);

} // namespace office

#pragma once

#include <QString>
#include <QStringList>

// The "drives" of the folder picker: the file system's root and its mount points.
namespace toolkit
{

// "/" and every mounted file system's mount point, sorted, without duplicates.
QStringList mountedDrives();

// The drive that holds path: the longest drive that is path itself or one of its parent
// folders. Empty when no drive holds it (a relative path, an empty list).
QString driveOf(const QString &path, const QStringList &drives);

} // namespace toolkit

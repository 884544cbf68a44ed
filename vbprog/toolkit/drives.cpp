#include "vbprog/toolkit/drives.h"

#include <QDir>
#include <QStorageInfo>

namespace toolkit
{

QStringList mountedDrives()
{
    QStringList drives{QDir::rootPath()};
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid())
            drives.append(QDir::cleanPath(volume.rootPath()));
    }
    drives.sort();
    drives.removeDuplicates();
    return drives;
}

QString driveOf(const QString &path, const QStringList &drives)
{
    const QString clean = QDir::cleanPath(path);
    QString best;
    for (const QString &drive : drives) {
        const bool holds =
            clean == drive ||
            (clean.startsWith(drive) && (drive.endsWith(u'/') || clean.at(drive.size()) == u'/'));
        if (holds && drive.size() > best.size())
            best = drive;
    }
    return best;
}

} // namespace toolkit

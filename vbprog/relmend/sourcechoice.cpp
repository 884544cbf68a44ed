#include "vbprog/relmend/sourcechoice.h"

#include <QDir>
#include <QFileInfo>

namespace relmend
{

QString SourceChoice::path() const
{
    return SourceFileName.isEmpty() ? SourceFolder : QDir(SourceFolder).filePath(SourceFileName);
}

SourceChoice SourceChoice::of(const QString &fileOrFolder)
{
    const QFileInfo info(fileOrFolder);
    if (info.isDir()) {
        // The root keeps its separator; any other folder loses a trailing one.
        const QString folder = QDir::cleanPath(fileOrFolder);
        return {folder, QString()};
    }
    return {info.absolutePath(), info.fileName()};
}

SourceChoice SourceChoice::restore(const QString &fixPath)
{
    if (fixPath.isEmpty() || !QFileInfo::exists(fixPath))
        return {};
    return of(fixPath);
}

} // namespace relmend

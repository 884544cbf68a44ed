#include "vbprog/kavrot/kavrotsettings.h"

#include "platform/profile/profilefile.h"
#include "vbprog/murvel/schema/schemanames.h"

#include <QDir>
#include <QFileInfo>

namespace kavrot
{

namespace
{

const QString kSection = QStringLiteral("Convert");
const QString kRefFile = QStringLiteral("RefFile");
const QString kSrcPath = QStringLiteral("SrcPath");
const QString kDstPath = QStringLiteral("DstPath");

QString withoutTrailingSeparator(QString path)
{
    if (path.size() > 1 && (path.endsWith(u'/') || path.endsWith(u'\\')))
        path.chop(1);
    return path;
}

} // namespace

QString KavrotSettings::sourcePath() const
{
    return sourceFileName.isEmpty() ? sourceFolder : QDir(sourceFolder).filePath(sourceFileName);
}

KavrotSettings KavrotSettings::load(const QString &settingsFile)
{
    profile::ProfileFile file(settingsFile);
    file.load();
    KavrotSettings settings;
    settings.refFileCode = QString::number(file.intValue(kSection, kRefFile, 0));

    const QString source =
        withoutTrailingSeparator(file.value(kSection, kSrcPath).value_or(QString()));
    const QFileInfo sourceInfo(source);
    if (!source.isEmpty() && sourceInfo.exists()) {
        if (sourceInfo.isDir()) {
            settings.sourceFolder = source;
        } else {
            settings.sourceFolder = sourceInfo.path();
            settings.sourceFileName = sourceInfo.fileName();
        }
    }
    const QString destination =
        withoutTrailingSeparator(file.value(kSection, kDstPath).value_or(QString()));
    const QFileInfo destinationInfo(destination);
    if (!destination.isEmpty() && destinationInfo.exists())
        settings.destFolder = destinationInfo.isDir() ? destination : destinationInfo.path();
    return settings;
}

bool KavrotSettings::save(const QString &settingsFile, QString *errorMessage) const
{
    profile::ProfileFile file(settingsFile);
    const bool written = file.load() && file.setValue(kSection, kRefFile, refFileCode) &&
                         file.setValue(kSection, kSrcPath, sourcePath()) &&
                         file.setValue(kSection, kDstPath, destFolder) && file.save();
    if (!written && errorMessage)
        *errorMessage = file.errorString();
    return written;
}

QString referenceDatabasePath(const QString &mainDir, int unitIndex)
{
    if (mainDir.isEmpty())
        return QString();
    return DatabasePath(mainDir,
                        unitIndex == 0 ? DatabaseNames::Transcode1 : DatabaseNames::Transcode2);
}

} // namespace kavrot

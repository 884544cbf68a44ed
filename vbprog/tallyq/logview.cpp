#include "vbprog/tallyq/logview.h"

#include "platform/codepage/cp950.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tallyq
{

platform::Result<QString> writeLogView(const QString &logPath, const QString &viewFolder)
{
    using Failure = platform::Result<QString>;
    QFile log(logPath);
    if (!log.open(QIODevice::ReadOnly))
        return Failure::failure(QStringLiteral("無法讀取缺字記錄檔 %1").arg(logPath));
    QString text = codepage::fromCp950(log.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));

    if (!QDir().mkpath(viewFolder))
        return Failure::failure(QStringLiteral("無法建立資料夾 %1").arg(viewFolder));
    const QString viewPath =
        QDir(viewFolder)
            .filePath(QFileInfo(logPath).completeBaseName() + QStringLiteral("（唯讀檢視）.txt"));
    // The earlier view is read-only; the folder is ours, so it can be replaced.
    QFile::remove(viewPath);
    QSaveFile view(viewPath);
    if (!view.open(QIODevice::WriteOnly) || view.write(text.toUtf8()) < 0 || !view.commit())
        return Failure::failure(QStringLiteral("無法寫入 %1").arg(viewPath));
    QFile::setPermissions(viewPath, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    return viewPath;
}

} // namespace tallyq

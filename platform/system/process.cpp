#include "platform/system/process.h"

#include <QFileInfo>
#include <QProcess>

namespace sys
{

bool startProcess(const QString &program, const QStringList &arguments)
{
    return !program.isEmpty() && QProcess::startDetached(program, arguments);
}

bool runProcess(const QString &program, const QStringList &arguments, int timeoutMs, QString *error)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    QString problem;
    if (!process.waitForStarted(timeoutMs))
        problem = QStringLiteral("無法執行 %1：%2").arg(program, process.errorString());
    else if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        problem = QStringLiteral("%1 逾時未結束").arg(program);
    } else if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        problem = QStringLiteral("%1 失敗：%2")
                      .arg(program, QString::fromLocal8Bit(process.readAll()).trimmed());
    if (error)
        *error = problem;
    return problem.isEmpty();
}

bool openHelpFile(const QString &path)
{
    const QFileInfo file(path);
    if (!file.isFile())
        return false;
    // The desktop's opener for the file's type, with the path as its one argument: no
    // shell reads it, whatever the folder's name holds.
    return QProcess::startDetached(QStringLiteral("xdg-open"), {file.absoluteFilePath()});
}

} // namespace sys

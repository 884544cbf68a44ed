#include "platform/system/process.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QUrl>

namespace sys
{

bool startProcess(const QString &program, const QStringList &arguments)
{
    return !program.isEmpty() && QProcess::startDetached(program, arguments);
}

bool openHelpFile(const QString &path)
{
    // The desktop services live in the GUI application's platform plugin.
    if (!QFileInfo(path).isFile() ||
        qobject_cast<QGuiApplication *>(QCoreApplication::instance()) == nullptr)
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

} // namespace sys

#include "comAddIn/officehost/hostsession.h"

#include "comAddIn/officehost/hostkinds.h"
#include "platform/office/host/commandbars.h"
#include "platform/office/host/hostapplication.h"

#include <QFileInfo>

namespace officehost
{

QString HostSession::hostNameFor(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"docx")
        return u"Microsoft Word"_qs;
    if (suffix == u"xlsx")
        return u"Microsoft Excel"_qs;
    if (suffix == u"pptx")
        return u"Microsoft PowerPoint"_qs;
    if (suffix == u"html" || suffix == u"htm")
        return u"Microsoft FrontPage"_qs;
    return QString();
}

platform::Result<bool> HostSession::checkKind(const QString &path)
{
    if (hostNameFor(path).isEmpty())
        return platform::Result<bool>::failure(
            u"無法開啟 %1：只能開啟 .docx、.xlsx、.pptx 與 .html 檔"_qs.arg(path));
    return true;
}

platform::Result<std::unique_ptr<HostSession>> HostSession::open(const QString &path)
{
    if (auto kind = checkKind(path); !kind.ok())
        return platform::Result<std::unique_ptr<HostSession>>::failure(kind.errorString());
    const QString host = hostNameFor(path);
    if (host == u"Microsoft Word")
        return openWordSession(path);
    if (host == u"Microsoft Excel")
        return openExcelSession(path);
    if (host == u"Microsoft PowerPoint")
        return openPowerPointSession(path);
    return openPageSession(path);
}

void takePersistedCommandBars(office::HostApplication &application)
{
    application.setCommandBars(office::CommandBars::open(application.name()));
}

} // namespace officehost

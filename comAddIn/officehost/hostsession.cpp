#include "comAddIn/officehost/hostsession.h"

#include "comAddIn/officehost/hostkinds.h"
#include "platform/office/host/commandbars.h"
#include "platform/office/host/hostapplication.h"

#include <QFileInfo>
#include <array>

namespace officehost
{

namespace
{

// Each host, the kinds of file it opens (the first is the one it saves; the second may
// be missing) and how it starts.
struct HostKind {
    const char16_t *name;
    std::array<const char16_t *, 2> suffixes;
    std::unique_ptr<HostSession> (*start)();
};

const HostKind kHosts[] = {
    {u"Microsoft Word", {u"docx", nullptr}, newWordSession},
    {u"Microsoft Excel", {u"xlsx", nullptr}, newExcelSession},
    {u"Microsoft PowerPoint", {u"pptx", nullptr}, newPowerPointSession},
    {u"Microsoft FrontPage", {u"html", u"htm"}, newPageSession},
};

const HostKind *hostNamed(const QString &name)
{
    for (const HostKind &host : kHosts) {
        if (name == QStringView(host.name))
            return &host;
    }
    return nullptr;
}

} // namespace

QString HostSession::hostNameFor(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const HostKind &host : kHosts) {
        for (const char16_t *own : host.suffixes) {
            if (own && suffix == QStringView(own))
                return QString::fromUtf16(host.name);
        }
    }
    return QString();
}

QString HostSession::fileSuffixFor(const QString &hostName)
{
    const HostKind *host = hostNamed(hostName);
    return host ? QString::fromUtf16(host->suffixes[0]) : QString();
}

platform::Result<bool> HostSession::checkKind(const QString &path)
{
    if (hostNameFor(path).isEmpty())
        return platform::Result<bool>::failure(
            u"無法開啟 %1：只能開啟 .docx、.xlsx、.pptx 與 .html 檔"_qs.arg(path));
    return true;
}

std::unique_ptr<HostSession> HostSession::start(const QString &hostName)
{
    const HostKind *host = hostNamed(hostName);
    return host ? host->start() : nullptr;
}

platform::Result<std::unique_ptr<HostSession>> HostSession::open(const QString &path)
{
    using Opened = platform::Result<std::unique_ptr<HostSession>>;
    if (auto kind = checkKind(path); !kind.ok())
        return Opened::failure(kind.errorString());
    std::unique_ptr<HostSession> session = start(hostNameFor(path));
    if (auto opened = session->openFile(path); !opened.ok())
        return Opened::failure(opened.errorString());
    return session;
}

void takePersistedCommandBars(office::HostApplication &application)
{
    application.setCommandBars(office::CommandBars::open(application.name()));
}

} // namespace officehost

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

// How each host of the host table starts, in its order.
using Start = std::unique_ptr<HostSession> (*)();
constexpr std::array<Start, office::kHostTable.size()> kStarts{
    newWordSession, newExcelSession, newPowerPointSession, newPageSession};

} // namespace

QString HostSession::hostNameFor(const QString &path)
{
    const office::HostIdentity *host = office::hostOpening(QFileInfo(path).suffix().toLower());
    return host ? office::hostText(host->name) : QString();
}

QString HostSession::fileSuffixFor(const QString &hostName)
{
    const office::HostIdentity *host = office::hostNamed(hostName);
    return host ? office::hostText(host->fileKinds[0]) : QString();
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
    const office::HostIdentity *host = office::hostNamed(hostName);
    return host ? kStarts[std::size_t(host->kind)]() : nullptr;
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

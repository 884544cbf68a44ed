#include "comAddIn/frame/addinhost.h"

#include "platform/office/host/hostapplication.h"

namespace addin
{

static_assert(int(Host::Word) == int(office::HostKind::Word) &&
              int(Host::FrontPage) == int(office::HostKind::FrontPage));

Host hostOf(const QString &applicationName)
{
    const office::HostIdentity *host = office::hostNamed(applicationName);
    return host ? Host(host->kind) : Host::Other;
}

QString shortNameOf(Host host)
{
    if (host == Host::Other)
        return {};
    return office::hostText(office::hostIdentity(office::HostKind(host)).registryPart);
}

platform::Result<std::shared_ptr<office::CommandBars>>
GetCommandBars(office::HostApplication &application)
{
    using Bars = platform::Result<std::shared_ptr<office::CommandBars>>;
    std::shared_ptr<office::CommandBars> bars;
    if (application.name() == u"Outlook") {
        const office::Explorer *explorer = application.activeExplorer();
        if (!explorer)
            return Bars::failure(u"Outlook 沒有作用中的檔案總管視窗"_qs);
        bars = explorer->commandBars();
    } else {
        bars = application.commandBars();
    }
    if (!bars)
        return Bars::failure(u"%1 沒有命令列"_qs.arg(application.name()));
    return bars;
}

QString onActionFor(Host host, const OnActionTable &table)
{
    return host == Host::Other ? QString() : table[std::size_t(host)];
}

} // namespace addin

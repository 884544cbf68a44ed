#include "comAddIn/frame/addinhost.h"

#include "platform/office/host/hostapplication.h"

namespace addin
{

Host hostOf(const QString &applicationName)
{
    if (applicationName == u"Microsoft Word")
        return Host::Word;
    if (applicationName == u"Microsoft Excel")
        return Host::Excel;
    if (applicationName == u"Microsoft PowerPoint")
        return Host::PowerPoint;
    if (applicationName == u"Microsoft FrontPage")
        return Host::FrontPage;
    return Host::Other;
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

platform::Result<bool> takeCommandBars(office::HostApplication *application,
                                       std::shared_ptr<office::CommandBars> &bars)
{
    if (!application)
        return platform::Result<bool>::failure(u"增益集尚未連線"_qs);
    auto found = GetCommandBars(*application);
    if (!found.ok())
        return platform::Result<bool>::failure(found.errorString());
    bars = found.value();
    return true;
}

platform::Result<std::shared_ptr<office::CommandBar>>
commandBarItem(const office::CommandBars &bars, const QString &name)
{
    if (auto bar = bars.item(name))
        return bar;
    return platform::Result<std::shared_ptr<office::CommandBar>>::failure(
        u"沒有「%1」命令列"_qs.arg(name));
}

QString onActionFor(Host host, const OnActionTable &table)
{
    return host == Host::Other ? QString() : table[std::size_t(host)];
}

} // namespace addin

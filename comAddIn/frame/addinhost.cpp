#include "comAddIn/frame/addinhost.h"

#include "platform/office/host/hostapplication.h"

namespace addin
{

namespace
{

struct HostNames {
    Host host;
    QStringView applicationName;
    QStringView shortName;
};
constexpr HostNames kHosts[] = {
    {Host::Word, u"Microsoft Word", u"Word"},
    {Host::Excel, u"Microsoft Excel", u"Excel"},
    {Host::PowerPoint, u"Microsoft PowerPoint", u"PowerPoint"},
    {Host::FrontPage, u"Microsoft FrontPage", u"FrontPage"},
};

} // namespace

Host hostOf(const QString &applicationName)
{
    for (const HostNames &names : kHosts) {
        if (applicationName == names.applicationName)
            return names.host;
    }
    return Host::Other;
}

QString shortNameOf(Host host)
{
    for (const HostNames &names : kHosts) {
        if (names.host == host)
            return names.shortName.toString();
    }
    return {};
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

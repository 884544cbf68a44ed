#include "comAddIn/trivane/connect.h"

#include "comAddIn/trivane/global.h"
#include "comAddIn/trivane/trigrambar.h"

namespace trivane
{

namespace
{

platform::Result<bool> onConnection(office::HostApplication &application)
{
    global().connect(application);
    return InitTrigramBar();
}

platform::Result<bool> onDisconnection(office::RemoveMode mode)
{
    if (mode == office::RemoveMode::UserClosed)
        DeleteTrigramBar();
    // The host goes away after this call: a click on a button still hooked must not
    // reach it.
    global().forgetApplication();
    return true;
}

} // namespace

const addin::AddInDefinition &definition()
{
    static const addin::AddInDefinition trivane{
        kProgIds,
        u"八卦符號"_qs,
        [](const QString &) -> std::optional<QString> { return std::nullopt; },
        16,
        &onConnection,
        &onDisconnection,
    };
    return trivane;
}

std::unique_ptr<addin::Connect> createConnection(const QString &progId)
{
    return addin::createConnection(definition(), progId);
}

} // namespace trivane

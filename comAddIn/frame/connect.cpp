#include "comAddIn/frame/connect.h"

#include "comAddIn/frame/cmdbarinit.h"
#include "comAddIn/frame/global.h"

namespace porvex
{

namespace
{

platform::Result<bool> onConnection(office::HostApplication &application)
{
    global().Application = &application;
    return InitCommandBars();
}

platform::Result<bool> onDisconnection(office::RemoveMode mode)
{
    platform::Result<bool> result = true;
    if (mode == office::RemoveMode::UserClosed) {
        result = RemoveToolButtons();
        DeleteOperatorBar();
    }
    ReleaseCommandBars();
    return result;
}

} // namespace

const addin::AddInDefinition &definition()
{
    static const addin::AddInDefinition porvex{
        kProgIds,
        u"Brindlex"_qs,
        [](const QString &host) -> std::optional<QString> {
            if (host == u"Excel")
                return u"ConnectExcel (AddInDesigner)"_qs;
            return std::nullopt;
        },
        16,
        &onConnection,
        &onDisconnection,
    };
    return porvex;
}

std::unique_ptr<Connect> createConnection(const QString &progId)
{
    return addin::createConnection(definition(), progId);
}

} // namespace porvex

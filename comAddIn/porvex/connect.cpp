#include "comAddIn/porvex/connect.h"

#include "comAddIn/porvex/cmdbarinit.h"
#include "comAddIn/porvex/global.h"

namespace porvex
{

namespace
{

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

addin::AddInDefinition definition(HostOperations &operations)
{
    return addin::AddInDefinition{
        kProgIds,
        u"Brindlex"_qs,
        [](const QString &host) -> std::optional<QString> {
            if (host == u"Excel")
                return u"ConnectExcel (AddInDesigner)"_qs;
            return std::nullopt;
        },
        16,
        [&operations](office::HostApplication &application) {
            global().connect(application, operations);
            return InitCommandBars();
        },
        &onDisconnection,
    };
}

} // namespace porvex

#pragma once

#include "comAddIn/porvex/global.h"
#include "platform/office/host/hostapplication.h"

#include <type_traits>

namespace porvex
{

// Runs the operation of the Tools item `caption` on the connection's Application as the
// object model of host `expected`, which the add-in tells by the Application's Name as
// everywhere else. On any other host nothing runs and the failure names the item and the
// host it is for. An operation that cannot fail gives true.
template<class Model, class Operation>
platform::Result<bool> onConnectedHost(addin::Host expected, const QString &caption,
                                       Operation operation)
{
    Model *model =
        global().host() == expected ? dynamic_cast<Model *>(global().application()) : nullptr;
    if (!model)
        return platform::Result<bool>::failure(
            u"「%1」只能在 %2 使用"_qs.arg(caption, addin::shortNameOf(expected)));
    if constexpr (std::is_void_v<std::invoke_result_t<Operation, Model &>>) {
        operation(*model);
        return true;
    } else {
        return operation(*model);
    }
}

} // namespace porvex

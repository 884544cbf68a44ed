#pragma once

#include "comAddIn/frame/addinconnection.h"
#include "comAddIn/porvex/hostoperations.h"

namespace porvex
{

// The ProgIDs of the four connection classes.
inline constexpr std::array<const char16_t *, 4> kProgIds = {
    u"PorvexAddin.ConnectWord",
    u"PorvexAddin.ConnectExcel",
    u"PorvexAddin.ConnectPowerPoint",
    u"PorvexAddin.ConnectFrontPage",
};

// The add-in as its hosts see it, its Tools items converting through `operations` (not
// owned; it outlives every connection). Connection holds the application and builds the
// controls. RemoveMode 1 removes the Tools items and the operator toolbar first; every
// disconnection then releases the host's objects, even when the removal failed.
addin::AddInDefinition definition(HostOperations &operations);

} // namespace porvex

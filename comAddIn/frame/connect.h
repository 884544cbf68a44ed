#pragma once

#include "comAddIn/frame/addinconnection.h"

#include <QString>
#include <memory>

namespace porvex
{

// The ProgIDs of the four connection classes.
inline constexpr std::array<const char16_t *, 4> kProgIds = {
    u"PorvexAddin.ConnectWord",
    u"PorvexAddin.ConnectExcel",
    u"PorvexAddin.ConnectPowerPoint",
    u"PorvexAddin.ConnectFrontPage",
};

// The add-in as its hosts see it. Connection holds the application and builds the
// controls. RemoveMode 1 removes the Tools items and the operator toolbar first; every
// disconnection then releases the host's objects, even when the removal failed.
const addin::AddInDefinition &definition();

using Connect = addin::Connect;
// A new connection object for the ProgID (compared without regard to case), or nullptr.
std::unique_ptr<Connect> createConnection(const QString &progId);

} // namespace porvex

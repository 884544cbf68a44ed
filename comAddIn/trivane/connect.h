#pragma once

#include "comAddIn/frame/addinconnection.h"

#include <QString>
#include <memory>

namespace trivane
{

// The ProgIDs of the four connection classes.
inline constexpr std::array<const char16_t *, 4> kProgIds = {
    u"Zontabar.ConnectWord",
    u"Zontabar.ConnectExcel",
    u"Zontabar.ConnectPowerPoint",
    u"Zontabar.ConnectFrontPage",
};

// The add-in as its hosts see it. Connection holds the application and builds the bar;
// RemoveMode 1 deletes the bar. The bar and the hooked buttons stay after any
// disconnection; the application, which the host is about to drop, does not.
const addin::AddInDefinition &definition();

std::unique_ptr<addin::Connect> createConnection(const QString &progId);

} // namespace trivane

#pragma once

#include "comAddIn/libreoffice/relayprotocol.h"

#include <com/sun/star/ui/XUIConfigurationManager.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <vector>

// The pictures our process draws for captions the office has no font for, shown on the
// mirrored buttons: each put into the module's image manager for the control's command
// URL, small and large, at run time only (never stored, so they go with the extension).
namespace lohost
{

// Gives each control with pictures its pictures, and takes them from the mirrored commands
// that have none any more.
void setButtonImages(const css::uno::Reference<css::uno::XComponentContext> &context,
                     const css::uno::Reference<css::ui::XUIConfigurationManager> &configuration,
                     const std::vector<relay::Bar> &bars);

// Takes the pictures from every mirrored command.
void removeButtonImages(const css::uno::Reference<css::ui::XUIConfigurationManager> &configuration);

} // namespace lohost

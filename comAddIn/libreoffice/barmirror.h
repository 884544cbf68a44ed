#pragma once

#include "comAddIn/libreoffice/relayprotocol.h"
#include "comAddIn/libreoffice/unotext.h"

#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <vector>

// The add-ins' command bars shown in one LibreOffice module, at run time through the
// module's UI configuration (never stored, so they go with the extension): the controls
// of the "menu" bar as entries at the end of the Tools menu, every other bar as a toolbar
// listed under View > Toolbars. Each control dispatches its command URL; a control with
// pictures shows them (buttonimages.h).
namespace lohost
{

// Replaces what was mirrored in the module by these bars.
void mirrorBars(const css::uno::Reference<css::uno::XComponentContext> &context,
                const OUString &moduleId, const std::vector<relay::Bar> &bars);

// Takes away every entry, toolbar and picture mirrored in the module, and the toolbars'
// window states, so that a new installation starts with them hidden again.
void removeMirroredBars(const css::uno::Reference<css::uno::XComponentContext> &context,
                        const OUString &moduleId);

// The mirrored toolbars the frame shows now.
std::vector<OUString> shownMirroredToolbars(const css::uno::Reference<css::frame::XFrame> &frame);

// Shows the toolbars in the frame, of the module, where a reload or a new window left them
// hidden, and keeps them shown in the module's window states for the windows to come.
void showToolbars(const css::uno::Reference<css::uno::XComponentContext> &context,
                  const OUString &moduleId, const css::uno::Reference<css::frame::XFrame> &frame,
                  const std::vector<OUString> &urls);

} // namespace lohost

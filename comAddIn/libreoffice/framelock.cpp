#include "comAddIn/libreoffice/framelock.h"

#include <com/sun/star/uno/Exception.hpp>

using namespace css;

namespace lohost
{

FrameLock::FrameLock(const uno::Reference<frame::XFrame> &frame)
{
    const uno::Reference<awt::XWindow2> window(frame->getContainerWindow(), uno::UNO_QUERY);
    // A window locked already (a dialog of the office's own is open) stays as it is.
    if (!window.is() || !window->isEnabled())
        return;
    window->setEnable(false);
    m_window = window;
}

FrameLock::~FrameLock()
{
    if (!m_window.is())
        return;
    try {
        m_window->setEnable(true);
    } catch (const uno::Exception &) {
        // The window closed meanwhile.
    }
}

} // namespace lohost

#include "comAddIn/frame/eventbutton.h"

namespace addin
{

void EventButton::set(std::shared_ptr<office::CommandBarControl> control,
                      std::function<void()> onClick)
{
    reset();
    m_control = std::move(control);
    if (m_control) {
        m_subscription = m_control->subscribeClick(
            [onClick = std::move(onClick)](office::CommandBarControl &, bool &) { onClick(); });
    }
}

void EventButton::reset()
{
    if (m_control)
        m_control->unsubscribeClick(m_subscription);
    m_control.reset();
    m_subscription = 0;
}

} // namespace addin

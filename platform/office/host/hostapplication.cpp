#include "platform/office/host/hostapplication.h"

namespace office
{

void HostApplication::setCursor(Cursor shape)
{
    if (shape == Cursor::Wait) {
        if (!m_wait)
            m_wait.emplace();
    } else {
        m_wait.reset();
    }
}

} // namespace office

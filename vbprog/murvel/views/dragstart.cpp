#include "vbprog/murvel/views/dragstart.h"

#include <cstdlib>

void DragStart::press(int x, int y)
{
    m_x = x;
    m_y = y;
}

bool DragStart::moveStarts(int buttons, int x, int y)
{
    const bool far = std::abs(m_x - x) > kThresholdTwips || std::abs(m_y - y) > kThresholdTwips;
    if (!far || m_x <= 0 || m_y <= 0 || (buttons & kLeftButton) == 0)
        return false;
    m_x = 0;
    m_y = 0;
    return true;
}

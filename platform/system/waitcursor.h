#pragma once

namespace sys
{

// Shows the wait (hourglass) pointer for the guard's lifetime and restores the previous
// pointer when it ends, however the scope is left. Guards nest: each one pushes and pops
// one entry of the application's override-cursor stack. Does nothing without a
// QGuiApplication.
class WaitCursor
{
public:
    WaitCursor();
    ~WaitCursor();

    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

private:
    bool m_pushed = false;
};

} // namespace sys

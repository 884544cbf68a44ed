#pragma once

#include <QElapsedTimer>

namespace toolkit
{

// Lets a batch tool's window handle its events at a pace a person can follow: a batch asks
// at every character it converts, but the window's events (the progress repainted, a stop
// asked for) run at most once an interval, so the work is not spent on repaints.
class EventPace
{
public:
    static constexpr qint64 IntervalMs = 200;

    // Handles the pending events when an interval has passed since they last ran (or on the
    // first call).
    void letEventsRun();

    // Whether events are due at nowMs (a steady clock's milliseconds); marks them run if so.
    bool due(qint64 nowMs);

private:
    QElapsedTimer m_clock;
    qint64 m_lastRun = -1;
};

} // namespace toolkit

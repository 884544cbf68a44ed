#include "vbprog/toolkit/eventpace.h"

#include <QCoreApplication>

namespace toolkit
{

void EventPace::letEventsRun()
{
    if (!m_clock.isValid())
        m_clock.start();
    if (due(m_clock.elapsed()))
        QCoreApplication::processEvents();
}

bool EventPace::due(qint64 nowMs)
{
    if (m_lastRun >= 0 && nowMs - m_lastRun < IntervalMs)
        return false;
    m_lastRun = nowMs;
    return true;
}

} // namespace toolkit

#include "comAddIn/trivane/global.h"

namespace trivane
{

cmdBarEvents &Global::eventObject()
{
    if (!m_events)
        m_events = std::make_unique<cmdBarEvents>();
    return *m_events;
}

Global &global()
{
    static Global instance;
    return instance;
}

} // namespace trivane

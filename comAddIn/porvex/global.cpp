#include "comAddIn/porvex/global.h"

namespace porvex
{

void PorvexAddIn::releaseBars()
{
    release();
    m_toolsBar.reset();
    m_operatorBar.reset();
}

PorvexAddIn &global()
{
    static PorvexAddIn instance;
    return instance;
}

} // namespace porvex

#include "comAddIn/trivane/global.h"

namespace trivane
{

TrigramAddIn &global()
{
    static TrigramAddIn instance;
    return instance;
}

} // namespace trivane

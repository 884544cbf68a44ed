// The exports of the porvex library: registration of its four connection classes and
// their class factory, with the conversions of the library.
#include "comAddIn/porvex/connect.h"
#include "comAddIn/porvex/hostconversions.h"

namespace
{

const addin::AddInDefinition &porvexAddIn()
{
    static porvex::HostConversions conversions;
    static const addin::AddInDefinition definition = porvex::definition(conversions);
    return definition;
}

} // namespace

MURVEL_ADDIN_EXPORTS(porvexAddIn)

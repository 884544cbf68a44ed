// The exports of the porvex library: registration of its four connection classes and
// their class factory.
#include "comAddIn/frame/connect.h"

MURVEL_ADDIN_EXPORTS(porvex::definition)

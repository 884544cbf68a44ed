// The exports of the trivane library: registration of its four connection classes and
// their class factory.
#include "comAddIn/trivane/connect.h"

MURVEL_ADDIN_EXPORTS(trivane::definition)

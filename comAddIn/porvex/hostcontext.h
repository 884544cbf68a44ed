#pragma once

#include "comAddIn/porvex/conversionrun.h"

namespace porvex
{

// The context of a conversion in the add-in's host: the App Paths entry's folder, the
// shared Windows folder, the dialog given, and a message box over the active window.
ConversionContext HostConversionContext(CandidatePicker &picker);

} // namespace porvex

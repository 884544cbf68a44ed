#pragma once

#include "platform/common/result.h"

// The Tools items that are the same in every host.
namespace porvex
{

// Starts the main program, and opens its help with the desktop's viewer; nothing visible
// happens when its App Paths entry is missing.
platform::Result<bool> StartMainProgram();
platform::Result<bool> OpenMainProgramHelp();

} // namespace porvex

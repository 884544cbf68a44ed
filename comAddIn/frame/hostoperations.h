#pragma once

#include "platform/common/result.h"

// The work of the Tools items in each host, on the host of the connection (the shared
// Application).
namespace porvex
{

platform::Result<bool> ConvertDocumentToGlyphs();
platform::Result<bool> ConvertDocumentToPictures();
platform::Result<bool> ConvertPicturesToFormulas();

platform::Result<bool> ConvertWorkbookToGlyphs();

platform::Result<bool> ConvertPresentationToGlyphs();

platform::Result<bool> ConvertPageToPictures();
platform::Result<bool> ConvertPagePicturesToFormulas();

// Starts the main program, and opens its help with the desktop's viewer; nothing visible
// happens when its App Paths entry is missing.
platform::Result<bool> StartMainProgram();
platform::Result<bool> OpenMainProgramHelp();

} // namespace porvex

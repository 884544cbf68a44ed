#pragma once

#include "platform/common/result.h"

// The work of the Tools items and operator buttons in each host, on the host of the
// connection (the shared Application). k is the operator button's number, 1..9.
namespace porvex
{

platform::Result<bool> ConvertDocumentToGlyphs();
platform::Result<bool> ConvertDocumentToPictures();
platform::Result<bool> ConvertPicturesToFormulas();
platform::Result<bool> InsertOperatorWord(int k);

platform::Result<bool> ConvertWorkbookToGlyphs();
platform::Result<bool> InsertOperatorExcel(int k);

platform::Result<bool> ConvertPresentationToGlyphs();
platform::Result<bool> InsertOperatorPowerPoint(int k);

platform::Result<bool> ConvertPageToPictures();
platform::Result<bool> ConvertPagePicturesToFormulas();
platform::Result<bool> InsertOperatorFrontPage(int k);

// Starts the main program, and opens its help with the desktop's viewer; nothing visible
// happens when its App Paths entry is missing.
platform::Result<bool> StartMainProgram();
platform::Result<bool> OpenMainProgramHelp();

} // namespace porvex

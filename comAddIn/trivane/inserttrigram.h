#pragma once

#include "platform/common/result.h"

// Typing trigram k (1..8, the button's number) at the insertion point of each host, on
// the host of the connection. A k outside 1..8, or a host without an open document, is a
// failure that changes nothing.
namespace trivane
{

platform::Result<bool> InsertTrigramWord(int k);
// Through the clipboard, which keeps the symbol afterwards.
platform::Result<bool> InsertTrigramExcel(int k);
// Only when text or an insertion point is selected; the caret then moves past the symbol.
platform::Result<bool> InsertTrigramPowerPoint(int k);
platform::Result<bool> InsertTrigramFrontPage(int k);

} // namespace trivane

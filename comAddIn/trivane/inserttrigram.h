#pragma once

#include "platform/common/result.h"

namespace office
{
class HostApplication;
}

// Typing trigram k (1..8, the button's number) at the caret of a host. A k outside 1..8,
// or a host without an open document, is a failure that changes nothing.
namespace trivane
{

platform::Result<bool> InsertTrigram(office::HostApplication &host, int k);

// The click of button k in each host, on the host of the connection; every host types as
// its object model's typeAtCaret does.
platform::Result<bool> InsertTrigramWord(int k);
platform::Result<bool> InsertTrigramExcel(int k);
platform::Result<bool> InsertTrigramPowerPoint(int k);
platform::Result<bool> InsertTrigramFrontPage(int k);

} // namespace trivane

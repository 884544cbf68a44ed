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

} // namespace trivane

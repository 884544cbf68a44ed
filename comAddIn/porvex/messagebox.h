#pragma once

#include "comAddIn/porvex/message.h"

namespace porvex
{

// The add-in's message box over the host's active window, with the one button "確定" in
// the interface's language; waits until it is closed.
void showMessageBox(const Message &message);

} // namespace porvex

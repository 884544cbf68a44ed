#pragma once

#include "comAddIn/frame/taggedbuttons.h"
#include "platform/common/result.h"

// Building, finding and removing the add-in's controls in the host: five items on the
// Tools menu and the toolbar "構字符號" of nine operator buttons, hooked to the event
// object. Controls the add-in adds have Id 1 and are found again by their tags at the
// next connection.
namespace porvex
{

// The name of the operator toolbar.
inline constexpr char16_t kOperatorBarName[] = u"構字符號";

// The Tools items and the operator buttons in their order.
const QList<addin::TaggedButton> &toolButtons();
const QList<addin::TaggedButton> &operatorButtons();

// Finds or adds every control and hooks it. When the Tools items cannot be built (no
// command bars, no "Tools" bar, an item that cannot be added), the operator toolbar is
// still built: taken, or added hidden when the host has none. A failure there ends the
// building and is returned.
platform::Result<bool> InitCommandBars();
platform::Result<bool> AddToolButton(int i);
platform::Result<bool> AddOperatorButton(int i);
// Deletes the Tools items that carry one of the five tags and Id 1.
platform::Result<bool> RemoveToolButtons();
// Deletes the operator toolbar; a missing bar is no failure.
void DeleteOperatorBar();
// Lets go of the host's objects and of the event object's fourteen buttons.
void ReleaseCommandBars();

} // namespace porvex

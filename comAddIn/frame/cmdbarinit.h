#pragma once

#include "platform/common/result.h"

// Building, finding and removing the add-in's controls in the host: five items on the
// Tools menu and the toolbar "構字符號" of nine operator buttons, all kept in the shared
// variables (global.h) and hooked to the event object. Controls the add-in adds have Id 1
// and are found again by their tags at the next connection.
namespace porvex
{

// The name of the operator toolbar.
inline constexpr char16_t kOperatorBarName[] = u"構字符號";

// Finds or adds every control and hooks it. The first failure goes to the error route,
// which takes the operator bar (adding it, hidden, only when it is missing) and goes on
// with the operator buttons; a second failure ends the building and is returned.
platform::Result<bool> InitCommandBars();
platform::Result<bool> GetCommandBars();
void InitToolButtonTable();
platform::Result<bool> AddToolButton(int i);
void InitOperatorButtonTable();
platform::Result<bool> AddOperatorButton(int i);
// Deletes the Tools items that carry one of the five tags and Id 1.
platform::Result<bool> RemoveToolButtons();
// Deletes the operator toolbar; a missing bar is no failure.
void DeleteOperatorBar();
// Lets go of the host's objects and of the event object's fourteen buttons.
void ReleaseCommandBars();

} // namespace porvex

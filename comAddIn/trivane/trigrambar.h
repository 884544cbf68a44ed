#pragma once

#include "comAddIn/frame/taggedbuttons.h"
#include "platform/common/result.h"

// The toolbar "八卦符號" and its eight buttons in the host, hooked to the event object. A
// new bar starts hidden; buttons are found again by their tags anywhere in the host's
// command bars.
namespace trivane
{

inline constexpr char16_t kTrigramBarName[] = u"八卦符號";
inline constexpr int kTrigramCount = 8;

// The eight buttons in bar order: each shows and types its trigram's symbol and carries
// the trigram's name as its tag.
const QList<addin::TaggedButton> &trigramButtons();

// Finds or creates the bar and the buttons and hooks them. A failing host call (no
// command bars, a bar that cannot be added) ends the building and is returned; what was
// hooked before stays hooked.
platform::Result<bool> InitTrigramBar();
platform::Result<bool> AddTrigramButton(int k);
// Deletes the bar with its buttons; a missing bar is no failure.
void DeleteTrigramBar();

} // namespace trivane

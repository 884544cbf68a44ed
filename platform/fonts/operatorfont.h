#pragma once

#include <QString>

namespace fonts
{

// The family name of the font that the build makes for the formula operators
// (U+F6A3..U+F6B0) and the trigrams (U+EDC0..U+EDC7).
QString operatorFamily();

// The name of that font's file in the program folder.
QString operatorFontFileName();

} // namespace fonts

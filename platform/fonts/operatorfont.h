#pragma once

#include <QString>

namespace fonts
{

// The family name of the font that the build makes for the formula operators
// (U+F6A3..U+F6B0) and the trigrams (U+EDC0..U+EDC7).
QString operatorFamily();

// The name of that font's file in the program folder.
QString operatorFontFileName();

// The family and file of the font that the build makes to draw an empty box for every
// private-use code: the last of the families that draw such codes, so that no system font
// is asked for one. A renderer of glyph pictures leaves it out: a box is no glyph.
QString privateUseBoxFamily();
QString privateUseBoxFileName();

} // namespace fonts

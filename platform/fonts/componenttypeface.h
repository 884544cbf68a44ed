#pragma once

#include <QString>

namespace fonts
{

// The two styles of the system's typefaces: Kai ("標楷體" and the faces that follow it) and
// Ming ("細明體", "新細明體" and theirs).
enum class TypefaceStyle { Kai, Ming };

// The component typeface that the build makes into the program folder: every private-use
// character that the data shows in the default face (the formula operators, the trigrams
// and the components that no character set encodes), in a Ming and a Kai file.
QString componentFamily(TypefaceStyle style);
QString componentFontFileName(TypefaceStyle style);

} // namespace fonts

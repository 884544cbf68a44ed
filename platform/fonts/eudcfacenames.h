#pragma once

#include <QString>

namespace fonts
{

// A base typeface has eight sets of end-user-defined characters. The glyph records number
// them 1 to 8 (字體), and each is drawn in a face of its own named after the base typeface:
// set 3 of "標楷體" is "標楷體外字集三".
inline constexpr int EudcSetCount = 8;

// The face of the set of the base typeface; empty for a set outside 1..8.
QString eudcFaceName(const QString &baseFace, int set);

} // namespace fonts

#pragma once

#include <QStringView>

namespace officehost
{

// Whether the caption holds formula operators or trigrams: they live in the private-use
// area, where only the operator font has glyphs for them, so the caption is drawn in it.
bool needsOperatorFont(QStringView caption);

} // namespace officehost

#pragma once

#include "comAddIn/officehost/caretmap.h"

#include <QList>

class QPlainTextEdit;

namespace officehost
{

// Sets each private-use character of the document's segments, as the view shows them
// through the map, in the families that draw it for the typeface of its run
// (fonts::privateUseFamilies), so that no system font shows it as some other character.
void ShowPrivateUseFaces(QPlainTextEdit &view, const CaretMap &map,
                         const QList<TextSegment> &segments, HostDocument &document);

} // namespace officehost

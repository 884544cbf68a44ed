#pragma once

#include <QVariant>
#include <libxml/tree.h>

namespace office::page
{

// The formatting that a node's elements give it, read from the nearest element that sets
// each property: <font face/size/color>, <b>/<strong>, <i>/<em>, <u>, headings, and the
// same properties in style attributes. These answer queryCommandValue/queryCommandState.
QVariant formattingValue(xmlNodePtr node, const QString &command);
bool formattingState(xmlNodePtr node, const QString &command);

} // namespace office::page

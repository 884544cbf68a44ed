#pragma once

#include <QString>
#include <libxml/tree.h>

namespace office::page
{

// What the page model needs to know of HTML elements.

// True when the element is a known HTML element that never has content (img, br, meta...).
bool isVoidElement(xmlNodePtr node);

// True for elements that the page lays out as blocks (paragraphs, cells, list items...).
bool isBlockElement(xmlNodePtr node);

// True for the parts of tables and lists, which an edit never removes even when it empties
// them.
bool isStructural(xmlNodePtr node);

// The value of the element's attribute; empty when it has none.
QString attributeOf(xmlNodePtr element, const char *name);

// The element's name without regard to case, for comparisons ("img", "font").
bool hasName(xmlNodePtr node, const char *name);

} // namespace office::page

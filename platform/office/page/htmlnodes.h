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

// A node of markup that the page keeps as it was read (see verbatimmarkup.h): a text node
// that the writer writes without escaping and that is no text of the page.
xmlNodePtr newVerbatimNode(xmlDocPtr doc, const QString &markup);
bool isVerbatim(xmlNodePtr node);

// A deep copy of the node owned by doc and not in its tree, made without recursion.
xmlNodePtr copyTree(xmlNodePtr node, xmlDocPtr doc);

// The node after node in document order, inside root: an element's first child, else the
// next node on the way up. Null after the last node of root. Walks with it keep the stack
// flat however deep the page nests.
xmlNodePtr nextInTree(xmlNodePtr node, xmlNodePtr root);

} // namespace office::page

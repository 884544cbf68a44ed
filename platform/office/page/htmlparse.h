#pragma once

#include <QString>
#include <libxml/HTMLparser.h>
#include <vector>

namespace office::page
{

// Parses a whole page given as text. Element names keep their prefix ("o:p" stays "o:p"),
// which libxml2's tree builder would otherwise drop. Null when libxml2 gives up. Owned by
// the caller (xmlFreeDoc).
htmlDocPtr parseHtmlDocument(const QString &text);

// Parses an HTML fragment and returns its top-level nodes as copies owned by doc, not yet
// linked into its tree (the caller links or frees them).
std::vector<xmlNodePtr> parseHtmlFragment(const QString &html, xmlDocPtr doc);

// True when the element is a known HTML element that never has content (img, br, meta...).
bool isVoidElement(xmlNodePtr node);

// True for elements that the page lays out as blocks (paragraphs, cells, list items...).
bool isBlockElement(xmlNodePtr node);

// True for the parts of tables and lists, which an edit never removes even when it empties
// them.
bool isStructural(xmlNodePtr node);

// The element's name without regard to case, for comparisons ("img", "font").
bool hasName(xmlNodePtr node, const char *name);

} // namespace office::page

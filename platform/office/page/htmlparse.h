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

} // namespace office::page

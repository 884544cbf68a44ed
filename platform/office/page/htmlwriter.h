#pragma once

#include <QString>
#include <libxml/tree.h>
#include <vector>

namespace office::page
{

// Writes the page's tree back as HTML text. Attribute values and text are written as they
// are held, escaping only what HTML needs (&, <, >, and " in attributes), so that values
// such as picture paths come back exactly as the page had them; verbatim markup (comments,
// declarations, script and style) is written as it was read.
QString writeHtmlDocument(xmlDocPtr doc);
QString writeHtmlNode(xmlNodePtr node);
QString writeHtmlNodes(const std::vector<xmlNodePtr> &nodes);

} // namespace office::page

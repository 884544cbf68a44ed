#pragma once

#include <QString>
#include <libxml/tree.h>
#include <vector>

namespace office::page
{

// Writes the page's tree back as HTML text. Attribute values and text are written as they
// are held, escaping only what HTML needs (& and < in text, &, <, > and " in attributes), so
// that values such as picture paths come back exactly as the page had them; verbatim markup
// (comments, declarations, script and style), character references and the start tags of
// elements whose attributes are as they were read are written as they were read.
QString writeHtmlDocument(xmlDocPtr doc);
QString writeHtmlNode(xmlNodePtr node);
QString writeHtmlNodes(const std::vector<xmlNodePtr> &nodes);
// The element's start tag in the writer's own form: lower-case name, each attribute's value
// in double quotes.
QString writeStartTag(xmlNodePtr element);

} // namespace office::page

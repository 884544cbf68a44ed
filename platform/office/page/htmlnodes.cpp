#include "platform/office/page/htmlnodes.h"

#include <algorithm>
#include <array>
#include <libxml/HTMLparser.h>

namespace office::page
{

bool isVoidElement(xmlNodePtr node)
{
    if (node == nullptr || node->type != XML_ELEMENT_NODE)
        return false;
    const htmlElemDesc *description = htmlTagLookup(node->name);
    return description != nullptr && description->empty != 0;
}

bool isBlockElement(xmlNodePtr element)
{
    static constexpr std::array kBlocks{
        "address", "article", "aside",    "blockquote", "caption", "center",  "dd",    "div",
        "dl",      "dt",      "fieldset", "figcaption", "figure",  "footer",  "form",  "h1",
        "h2",      "h3",      "h4",       "h5",         "h6",      "header",  "hr",    "li",
        "main",    "nav",     "ol",       "p",          "pre",     "section", "table", "tbody",
        "td",      "tfoot",   "th",       "thead",      "tr",      "ul"};
    return std::any_of(kBlocks.begin(), kBlocks.end(),
                       [element](const char *name) { return hasName(element, name); });
}

bool isStructural(xmlNodePtr element)
{
    static constexpr std::array kParts{"caption", "dd",    "dt", "li",    "table", "tbody",
                                       "td",      "tfoot", "th", "thead", "tr"};
    return std::any_of(kParts.begin(), kParts.end(),
                       [element](const char *name) { return hasName(element, name); });
}

QString attributeOf(xmlNodePtr element, const char *name)
{
    xmlChar *value = xmlGetProp(element, reinterpret_cast<const xmlChar *>(name));
    if (value == nullptr)
        return {};
    QString text = QString::fromUtf8(reinterpret_cast<const char *>(value));
    xmlFree(value);
    return text;
}

bool hasName(xmlNodePtr node, const char *name)
{
    return node != nullptr && node->type == XML_ELEMENT_NODE &&
           xmlStrcasecmp(node->name, reinterpret_cast<const xmlChar *>(name)) == 0;
}

} // namespace office::page

#include "platform/office/page/htmlnodes.h"

#include <libxml/HTMLparser.h>
#include <string_view>
#include <unordered_set>

namespace office::page
{
namespace
{

// The parser writes element names in lower case, and so does this layer.
bool isNamedIn(xmlNodePtr node, const std::unordered_set<std::string_view> &names)
{
    return node != nullptr && node->type == XML_ELEMENT_NODE &&
           names.count(reinterpret_cast<const char *>(node->name)) != 0;
}

} // namespace

bool isVoidElement(xmlNodePtr node)
{
    if (node == nullptr || node->type != XML_ELEMENT_NODE)
        return false;
    const htmlElemDesc *description = htmlTagLookup(node->name);
    return description != nullptr && description->empty != 0;
}

bool isBlockElement(xmlNodePtr element)
{
    static const std::unordered_set<std::string_view> kBlocks{
        "address", "article", "aside",    "blockquote", "caption", "center",  "dd",    "div",
        "dl",      "dt",      "fieldset", "figcaption", "figure",  "footer",  "form",  "h1",
        "h2",      "h3",      "h4",       "h5",         "h6",      "header",  "hr",    "li",
        "main",    "nav",     "ol",       "p",          "pre",     "section", "table", "tbody",
        "td",      "tfoot",   "th",       "thead",      "tr",      "ul"};
    return isNamedIn(element, kBlocks);
}

bool isStructural(xmlNodePtr element)
{
    static const std::unordered_set<std::string_view> kParts{
        "caption", "dd", "dt", "li", "table", "tbody", "td", "tfoot", "th", "thead", "tr"};
    return isNamedIn(element, kParts);
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

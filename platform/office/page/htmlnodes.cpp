#include "platform/office/page/htmlnodes.h"

#include <libxml/HTMLparser.h>
#include <libxml/parserInternals.h>
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

// Links child as the last child of parent. libxml2's xmlAddChild would merge adjacent text.
void appendChild(xmlNodePtr parent, xmlNodePtr child)
{
    child->parent = parent;
    child->prev = parent->last;
    if (parent->last != nullptr)
        parent->last->next = child;
    else
        parent->children = child;
    parent->last = child;
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

xmlNodePtr newVerbatimNode(xmlDocPtr doc, const QString &markup)
{
    const QByteArray utf8 = markup.toUtf8();
    xmlNodePtr node = xmlNewDocTextLen(doc, reinterpret_cast<const xmlChar *>(utf8.constData()),
                                       static_cast<int>(utf8.size()));
    // libxml2's own mark of text that is written as it stands.
    node->name = xmlStringTextNoenc;
    return node;
}

bool isVerbatim(xmlNodePtr node)
{
    return node != nullptr && node->type == XML_TEXT_NODE && node->name == xmlStringTextNoenc;
}

xmlNodePtr copyTree(xmlNodePtr root, xmlDocPtr doc)
{
    // Each node is copied without its children (libxml2 copies those recursively) and
    // linked under the copy of its parent.
    xmlNodePtr rootCopy = xmlDocCopyNode(root, doc, 2);
    xmlNodePtr copy = rootCopy;
    for (xmlNodePtr node = root;;) {
        if (node->type == XML_ELEMENT_NODE && node->children != nullptr) {
            node = node->children;
            xmlNodePtr child = xmlDocCopyNode(node, doc, 2);
            appendChild(copy, child);
            copy = child;
            continue;
        }
        while (node != root && node->next == nullptr) {
            node = node->parent;
            copy = copy->parent;
        }
        if (node == root)
            return rootCopy;
        node = node->next;
        xmlNodePtr sibling = xmlDocCopyNode(node, doc, 2);
        appendChild(copy->parent, sibling);
        copy = sibling;
    }
}

xmlNodePtr nextInTree(xmlNodePtr node, xmlNodePtr root)
{
    if (node->children != nullptr && node->type == XML_ELEMENT_NODE)
        return node->children;
    for (; node != nullptr && node != root; node = node->parent) {
        if (node->next != nullptr)
            return node->next;
    }
    return nullptr;
}

} // namespace office::page

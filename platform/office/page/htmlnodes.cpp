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

xmlNodePtr newReferenceNode(xmlDocPtr doc, const QString &reference, const QString &meaning)
{
    const QByteArray utf8 = meaning.toUtf8();
    xmlNodePtr node = xmlNewDocTextLen(doc, reinterpret_cast<const xmlChar *>(utf8.constData()),
                                       static_cast<int>(utf8.size()));
    // Text nodes' names are never freed: the name lives in the document's dictionary, where
    // copies into another document look it up again. Other names never start with "&".
    if (doc->dict != nullptr)
        node->name = xmlDictLookup(
            doc->dict, reinterpret_cast<const xmlChar *>(reference.toUtf8().constData()), -1);
    return node;
}

QString referenceOf(xmlNodePtr node)
{
    if (node == nullptr || node->type != XML_TEXT_NODE || node->name == nullptr ||
        node->name[0] != '&')
        return {};
    return QString::fromUtf8(reinterpret_cast<const char *>(node->name));
}

namespace
{

// No parsed attribute's name holds a blank.
const xmlChar *const kKeptTag = reinterpret_cast<const xmlChar *>(" tag");
const xmlChar *const kKeptForm = reinterpret_cast<const xmlChar *>(" form");
const xmlChar *const kKeptEnd = reinterpret_cast<const xmlChar *>(" end");

} // namespace

void keepStartTag(xmlNodePtr element, const QString &tag, const QString &writtenForm)
{
    xmlSetProp(element, kKeptTag, reinterpret_cast<const xmlChar *>(tag.toUtf8().constData()));
    xmlSetProp(element, kKeptForm,
               reinterpret_cast<const xmlChar *>(writtenForm.toUtf8().constData()));
}

QString keptStartTag(xmlNodePtr element, const QString &writtenForm)
{
    if (element->properties == nullptr || attributeOf(element, " form") != writtenForm)
        return {};
    return attributeOf(element, " tag");
}

void keepEndTag(xmlNodePtr element, const QString &tag)
{
    xmlSetProp(element, kKeptEnd, reinterpret_cast<const xmlChar *>(tag.toUtf8().constData()));
}

QString keptEndTag(xmlNodePtr element)
{
    return element->properties == nullptr ? QString() : attributeOf(element, " end");
}

bool isKeptTagAttribute(xmlAttrPtr attribute)
{
    return xmlStrEqual(attribute->name, kKeptTag) || xmlStrEqual(attribute->name, kKeptForm) ||
           xmlStrEqual(attribute->name, kKeptEnd);
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

#include "platform/office/page/htmlwriter.h"

#include "platform/office/page/characterreference.h"
#include "platform/office/page/htmlnodes.h"

namespace office::page
{
namespace
{

QString fromXml(const xmlChar *text)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(text));
}

QString escaped(const QString &text, bool inAttribute)
{
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        switch (ch.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += inAttribute ? QLatin1String("&gt;") : QLatin1String(">");
            break;
        case '"':
            out += inAttribute ? QLatin1String("&quot;") : QLatin1String("\"");
            break;
        default:
            out += ch;
        }
    }
    return out;
}

QString qualifiedName(const xmlChar *name, xmlNsPtr ns)
{
    if (ns != nullptr && ns->prefix != nullptr)
        return fromXml(ns->prefix) + QLatin1Char(':') + fromXml(name);
    return fromXml(name);
}

// A reference node's text: the reference as it was read while the node holds what it
// stood for, beside any text an edit added before or after it.
QString referenceText(const QString &text, const QString &reference)
{
    const CharacterReference read = characterReferenceAt(reference, 0, false);
    const QString meaning = read.length > 0 ? read.meaning : QStringLiteral("&");
    if (text.startsWith(meaning))
        return reference + escaped(text.sliced(meaning.size()), false);
    if (text.endsWith(meaning))
        return escaped(text.chopped(meaning.size()), false) + reference;
    return escaped(text, false);
}

// Text the writer writes as it stands: verbatim markup, and the content of script and
// style that the parser took as raw text.
bool isWrittenRaw(xmlNodePtr text)
{
    return isVerbatim(text) || hasName(text->parent, "script") || hasName(text->parent, "style");
}

// True for an element whose content and end tag follow its start tag.
bool hasContent(xmlNodePtr node)
{
    return node->type == XML_ELEMENT_NODE && !isVoidElement(node);
}

void writeAttributes(xmlNodePtr element, QString &out)
{
    for (xmlAttrPtr attribute = element->properties; attribute != nullptr;
         attribute = attribute->next) {
        if (isKeptTagAttribute(attribute))
            continue;
        out += QLatin1Char(' ') + qualifiedName(attribute->name, attribute->ns);
        if (attribute->children == nullptr)
            continue;
        xmlChar *value = xmlNodeListGetString(element->doc, attribute->children, 1);
        out += QLatin1String("=\"") + escaped(fromXml(value), true) + QLatin1Char('"');
        xmlFree(value);
    }
}

// A node without its content: an element's start tag, or the whole of any other node. True
// when the tag written closes the element itself: a tag read as "<p/>", kept while the
// element is still empty (the parser would close it before any content).
bool writeStart(xmlNodePtr node, QString &out)
{
    switch (node->type) {
    case XML_ELEMENT_NODE: {
        const QString formed = writeStartTag(node);
        const QString kept = keptStartTag(node, formed);
        const bool closesItself = kept.endsWith(QLatin1String("/>"));
        if (kept.isEmpty() || (closesItself && node->children != nullptr)) {
            out += formed;
            return false;
        }
        out += kept;
        return closesItself;
    }
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE: {
        const QString text = fromXml(node->content);
        const QString reference = referenceOf(node);
        if (isWrittenRaw(node))
            out += text;
        else if (!reference.isEmpty())
            out += referenceText(text, reference);
        else
            out += escaped(text, false);
        return false;
    }
    default:
        return false;
    }
}

// The node and everything in it, walked without recursion so that no nesting of the page
// can exhaust the stack.
void writeNode(xmlNodePtr root, QString &out)
{
    for (xmlNodePtr node = root;;) {
        bool closedByItsTag = writeStart(node, out);
        if (hasContent(node) && node->children != nullptr) {
            node = node->children;
            continue;
        }
        for (;; closedByItsTag = false) {
            if (hasContent(node) && !closedByItsTag) {
                const QString kept = keptEndTag(node);
                out += kept.isEmpty() ? QLatin1String("</") + qualifiedName(node->name, node->ns) +
                                            QLatin1Char('>')
                                      : kept;
            }
            if (node == root)
                return;
            if (node->next != nullptr) {
                node = node->next;
                break;
            }
            node = node->parent;
        }
    }
}

} // namespace

QString writeHtmlDocument(xmlDocPtr doc)
{
    QString out;
    for (xmlNodePtr node = doc->children; node != nullptr; node = node->next) {
        writeNode(node, out);
        out += QLatin1Char('\n');
    }
    return out;
}

QString writeStartTag(xmlNodePtr element)
{
    QString out = QLatin1Char('<') + qualifiedName(element->name, element->ns);
    writeAttributes(element, out);
    return out + QLatin1Char('>');
}

QString writeHtmlNode(xmlNodePtr node)
{
    QString out;
    writeNode(node, out);
    return out;
}

QString writeHtmlNodes(const std::vector<xmlNodePtr> &nodes)
{
    QString out;
    for (xmlNodePtr node : nodes)
        writeNode(node, out);
    return out;
}

} // namespace office::page

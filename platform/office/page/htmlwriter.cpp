#include "platform/office/page/htmlwriter.h"

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
            out += QLatin1String("&gt;");
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

// Script and style hold raw text that the parser took without decoding references.
bool holdsRawText(xmlNodePtr element)
{
    return hasName(element, "script") || hasName(element, "style");
}

void writeNode(xmlNodePtr node, QString &out);

void writeChildren(xmlNodePtr parent, QString &out)
{
    for (xmlNodePtr child = parent->children; child != nullptr; child = child->next)
        writeNode(child, out);
}

void writeAttributes(xmlNodePtr element, QString &out)
{
    for (xmlAttrPtr attribute = element->properties; attribute != nullptr;
         attribute = attribute->next) {
        out += QLatin1Char(' ') + qualifiedName(attribute->name, attribute->ns);
        if (attribute->children == nullptr)
            continue;
        xmlChar *value = xmlNodeListGetString(element->doc, attribute->children, 1);
        out += QLatin1String("=\"") + escaped(fromXml(value), true) + QLatin1Char('"');
        xmlFree(value);
    }
}

void writeDoctype(xmlDtdPtr dtd, QString &out)
{
    out += QLatin1String("<!DOCTYPE ") + fromXml(dtd->name);
    if (dtd->ExternalID != nullptr) {
        out += QLatin1String(" PUBLIC \"") + fromXml(dtd->ExternalID) + QLatin1Char('"');
        if (dtd->SystemID != nullptr)
            out += QLatin1String(" \"") + fromXml(dtd->SystemID) + QLatin1Char('"');
    } else if (dtd->SystemID != nullptr) {
        out += QLatin1String(" SYSTEM \"") + fromXml(dtd->SystemID) + QLatin1Char('"');
    }
    out += QLatin1String(">\n");
}

void writeNode(xmlNodePtr node, QString &out)
{
    switch (node->type) {
    case XML_ELEMENT_NODE: {
        const QString name = qualifiedName(node->name, node->ns);
        out += QLatin1Char('<') + name;
        writeAttributes(node, out);
        out += QLatin1Char('>');
        if (isVoidElement(node))
            return;
        writeChildren(node, out);
        out += QLatin1String("</") + name + QLatin1Char('>');
        return;
    }
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE: {
        const QString text = fromXml(node->content);
        out += holdsRawText(node->parent) ? text : escaped(text, false);
        return;
    }
    case XML_ENTITY_REF_NODE:
        out += QLatin1Char('&') + fromXml(node->name) + QLatin1Char(';');
        return;
    case XML_COMMENT_NODE:
        out += QLatin1String("<!--") + fromXml(node->content) + QLatin1String("-->");
        return;
    case XML_PI_NODE:
        out += QLatin1String("<?") + fromXml(node->name);
        if (node->content != nullptr)
            out += QLatin1Char(' ') + fromXml(node->content);
        out += QLatin1Char('>');
        return;
    case XML_DTD_NODE:
        writeDoctype(reinterpret_cast<xmlDtdPtr>(node), out);
        return;
    default:
        return;
    }
}

} // namespace

QString writeHtmlDocument(xmlDocPtr doc)
{
    QString out;
    for (xmlNodePtr node = doc->children; node != nullptr; node = node->next) {
        writeNode(node, out);
        if (node->type != XML_DTD_NODE)
            out += QLatin1Char('\n');
    }
    return out;
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

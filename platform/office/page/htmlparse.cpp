#include "platform/office/page/htmlparse.h"

#include "platform/office/page/htmlnodes.h"

#include <algorithm>
#include <array>
#include <libxml/SAX2.h>
#include <libxml/tree.h>

namespace office::page
{
namespace
{

constexpr int kParseOptions = HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET |
                              HTML_PARSE_NODEFDTD | HTML_PARSE_IGNORE_ENC;

// libxml2's SAX2 tree builder splits "o:p" and keeps only "p" when parsing HTML, turning
// the empty Office paragraphs of many pages into real ones. Put the full name back.
void startElementKeepingPrefix(void *context, const xmlChar *name, const xmlChar **attributes)
{
    xmlSAX2StartElement(context, name, attributes);
    auto *parser = static_cast<htmlParserCtxtPtr>(context);
    if (parser->node != nullptr && xmlStrchr(name, ':') != nullptr)
        xmlNodeSetName(parser->node, name);
}

} // namespace

htmlDocPtr parseHtmlDocument(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    htmlParserCtxtPtr parser = htmlNewParserCtxt();
    if (parser == nullptr)
        return nullptr;
    parser->sax->startElement = startElementKeepingPrefix;
    htmlDocPtr doc = htmlCtxtReadMemory(parser, utf8.constData(), static_cast<int>(utf8.size()),
                                        nullptr, "UTF-8", kParseOptions);
    htmlFreeParserCtxt(parser);
    return doc;
}

std::vector<xmlNodePtr> parseHtmlFragment(const QString &html, xmlDocPtr doc)
{
    std::vector<xmlNodePtr> nodes;
    htmlDocPtr scratch =
        parseHtmlDocument(QStringLiteral("<html><body>") + html + QStringLiteral("</body></html>"));
    if (scratch == nullptr)
        return nodes;
    xmlNodePtr root = xmlDocGetRootElement(scratch);
    xmlNodePtr body = root != nullptr ? root->children : nullptr;
    while (body != nullptr && !hasName(body, "body"))
        body = body->next;
    if (body != nullptr) {
        for (xmlNodePtr child = body->children; child != nullptr; child = child->next)
            nodes.push_back(xmlDocCopyNode(child, doc, 1));
    }
    xmlFreeDoc(scratch);
    return nodes;
}

} // namespace office::page

#include "platform/office/page/htmlparse.h"

#include "platform/office/page/htmlnodes.h"
#include "platform/office/page/verbatimmarkup.h"

#include <libxml/SAX2.h>
#include <libxml/dict.h>
#include <libxml/tree.h>

namespace office::page
{
namespace
{

// Errors are not printed; whether the parse reached the end is checked instead. Huge lifts
// libxml2's limits on depth (256) and on the length of a text node (10,000,000 bytes), past
// which it would stop and leave a tree of part of the page; kMaxPageDepth takes the place
// of the first.
constexpr int kParseOptions = HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET |
                              HTML_PARSE_NODEFDTD | HTML_PARSE_IGNORE_ENC | XML_PARSE_HUGE;

struct ParseState {
    bool tooDeep = false;
};

// libxml2's SAX2 tree builder splits "o:p" and keeps only "p" when parsing HTML, turning
// the empty Office paragraphs of many pages into real ones: put the full name back. Stops
// the parse past the deepest nesting allowed.
void startElement(void *context, const xmlChar *name, const xmlChar **attributes)
{
    xmlSAX2StartElement(context, name, attributes);
    auto *parser = static_cast<htmlParserCtxtPtr>(context);
    if (parser->node != nullptr && xmlStrchr(name, ':') != nullptr)
        xmlNodeSetName(parser->node, name);
    if (parser->nodeNr > kMaxPageDepth) {
        static_cast<ParseState *>(parser->_private)->tooDeep = true;
        xmlStopParser(parser);
    }
}

} // namespace

namespace
{

ParsedHtml parse(const QString &text, VerbatimMarkup::Tags tags)
{
    const VerbatimMarkup verbatim(text, tags);
    if (verbatim.endsInsideMarkup())
        return {nullptr, ParsedHtml::Failure::EndsInsideMarkup};
    const QByteArray utf8 = verbatim.maskedText().toUtf8();
    htmlParserCtxtPtr parser = htmlNewParserCtxt();
    if (parser == nullptr)
        return {nullptr, ParsedHtml::Failure::Incomplete};
    ParseState state;
    parser->_private = &state;
    parser->sax->startElement = startElement;
    htmlDocPtr doc = htmlCtxtReadMemory(parser, utf8.constData(), static_cast<int>(utf8.size()),
                                        nullptr, "UTF-8", kParseOptions);
    // A parser that stopped before the end (too deep, out of memory) disabled its callbacks.
    const bool whole = doc != nullptr && parser->disableSAX == 0;
    htmlFreeParserCtxt(parser);
    if (!whole) {
        xmlFreeDoc(doc);
        return {nullptr,
                state.tooDeep ? ParsedHtml::Failure::TooDeep : ParsedHtml::Failure::Incomplete};
    }
    // The names of reference nodes live in the document's dictionary, which libxml2 makes
    // for HTML only when it is asked to.
    if (doc->dict == nullptr)
        doc->dict = xmlDictCreate();
    verbatim.restore(doc);
    return {doc, ParsedHtml::Failure::None};
}

} // namespace

ParsedHtml parseHtmlDocument(const QString &text)
{
    return parse(text, VerbatimMarkup::Tags::AsRead);
}

std::vector<xmlNodePtr> parseHtmlFragment(const QString &html, xmlDocPtr doc)
{
    std::vector<xmlNodePtr> nodes;
    const ParsedHtml scratch =
        parse(QStringLiteral("<html><body>") + html + QStringLiteral("</body></html>"),
              VerbatimMarkup::Tags::InWritersForm);
    if (scratch.doc == nullptr)
        return nodes;
    xmlNodePtr root = xmlDocGetRootElement(scratch.doc);
    xmlNodePtr body = root != nullptr ? root->children : nullptr;
    while (body != nullptr && !hasName(body, "body"))
        body = body->next;
    if (body != nullptr) {
        for (xmlNodePtr child = body->children; child != nullptr; child = child->next)
            nodes.push_back(copyTree(child, doc));
    }
    xmlFreeDoc(scratch.doc);
    return nodes;
}

} // namespace office::page

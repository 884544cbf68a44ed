#include "platform/office/page/htmlnodes.h"
#include "platform/office/page/htmlparse.h"
#include "platform/office/page/htmlwriter.h"
#include "platform/office/page/textmap.h"

#include <QRandomGenerator>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

using namespace office::page;

namespace
{

// A page of every kind of content the map knows: paragraphs and a division of them, nested
// formatting, breaks, pictures, a table, empty paragraphs, layout whitespace between
// blocks, a script, and one long text with surrogate pairs and runs of spaces.
QString variedPage()
{
    const QString longText =
        (QStringLiteral("說文解字 \U00020000注") + QString(40, u' ') + QStringLiteral("曰之字"))
            .repeated(120);
    return QStringLiteral("<html><body>\n<p>first <b>bold <i>both</i></b> plain</p>\n"
                          "<div><p>in<br>div</p><p></p>\n<p>a<img src=\"x.png\">b</p></div>\n"
                          "<table><tr><td>cell <font face=\"標楷體\">one</font></td>"
                          "<td>two</td></tr></table>\n<div><p></p>after an empty "
                          "one</div><script>var s = \"<p>\";</script>"
                          "<p>") +
           longText + QStringLiteral("</p>\ntail <u>under</u> end\n</body></html>");
}

struct DocumentFree {
    void operator()(xmlDocPtr doc) const { xmlFreeDoc(doc); }
};

xmlNodePtr bodyOf(xmlDocPtr doc)
{
    for (xmlNodePtr node = xmlDocGetRootElement(doc)->children; node; node = node->next) {
        if (hasName(node, "body"))
            return node;
    }
    return nullptr;
}

std::vector<xmlNodePtr> elementsIn(xmlNodePtr body)
{
    std::vector<xmlNodePtr> elements;
    for (xmlNodePtr node = body; node != nullptr; node = nextInTree(node, body)) {
        if (node->type == XML_ELEMENT_NODE)
            elements.push_back(node);
    }
    return elements;
}

// What a map made afresh over the same tree holds: the edited map must agree.
void expectSameMapAsAFreshOne(const TextMap &edited, xmlNodePtr body, int step)
{
    const TextMap fresh(body);
    ASSERT_EQ(edited.text().toStdU16String(), fresh.text().toStdU16String()) << step;
    for (int position = 0; position <= fresh.length(); ++position)
        ASSERT_EQ(edited.nodeAt(position), fresh.nodeAt(position)) << step << ' ' << position;
    for (xmlNodePtr element : elementsIn(body))
        ASSERT_EQ(edited.span(element), fresh.span(element)) << step << ' ' << element->name;
}

} // namespace

// Each edit maps again only the part of the tree it touched; a long run of edits of every
// kind the page makes (text typed over a range, markup pasted, elements taken out, text put
// beside an element) must leave the map a fresh walk of the edited tree makes.
TEST(TextMapTest, EditsAnywhereLeaveTheMapAFreshWalkMakes)
{
    const ParsedHtml parsed = parseHtmlDocument(variedPage());
    ASSERT_NE(parsed.doc, nullptr);
    const std::unique_ptr<xmlDoc, DocumentFree> doc(parsed.doc);
    DomEditor editor(doc.get());
    const xmlNodePtr body = bodyOf(doc.get());
    editor.cutLongTexts(body);
    TextMap map(body);
    ASSERT_GT(map.length(), 6000);

    QRandomGenerator random(20261209);
    const QStringList texts = {QStringLiteral("字"), QStringLiteral(" "), QString(),
                               QStringLiteral("ab\U00020001")};
    const QStringList fragments = {QStringLiteral("<img src=\"y.png\">"),
                                   QStringLiteral("<b>粗</b>體"),
                                   QStringLiteral("<p>段</p>"),
                                   QStringLiteral("a<br>b"),
                                   QString(),
                                   QStringLiteral("<font size=\"2\">小<i>斜</i></font>")};
    for (int step = 0; step < 600; ++step) {
        // A third of the edits in the blocks before the long text, a third after it.
        const int length = map.length();
        const int lane = random.bounded(3);
        const int from = lane == 0   ? random.bounded(std::min(length, 120) + 1)
                         : lane == 1 ? random.bounded(length + 1)
                                     : length - random.bounded(std::min(length, 40) + 1);
        const int to = std::min(map.length(), from + random.bounded(12));
        const int kind = random.bounded(4);
        if (kind <= 1) {
            const TextMap::Region region = map.regionAround(from, to);
            const QString text = texts[random.bounded(texts.size())];
            const QString fragment = fragments[random.bounded(fragments.size())];
            auto fill = [&](DomPoint point) {
                if (kind == 0)
                    editor.insertText(point, text);
                else
                    editor.insertNodes(point, parseHtmlFragment(fragment, doc.get()));
            };
            if (from < to)
                editor.replaceContents(map.startPoint(from), map.endPoint(to),
                                       kind == 0 ? DomEditor::Placement::AtStart
                                                 : DomEditor::Placement::AfterCutElements,
                                       fill);
            else
                fill(map.insertionPoint(from));
            map.update(region);
        } else {
            // An element of the body, inline ones only, so that the page keeps its blocks.
            std::vector<xmlNodePtr> inline_;
            for (xmlNodePtr element : elementsIn(body)) {
                if (!isBlockElement(element) && !isStructural(element) && element != body &&
                    !hasName(element, "script"))
                    inline_.push_back(element);
            }
            if (inline_.empty())
                continue;
            const xmlNodePtr element = inline_[random.bounded(int(inline_.size()))];
            const auto [start, end] = map.span(element);
            if (kind == 2) {
                const TextMap::Region region = map.regionAround(start, end);
                editor.remove(element);
                map.update(region);
            } else {
                const TextMap::Region region = map.regionAround(start, start);
                const xmlNodePtr text =
                    editor.newText(texts[random.bounded(texts.size())] + QStringLiteral("旁"));
                editor.insertNodes({element->parent, DomEditor::indexOf(element)}, {text});
                map.update(region);
            }
        }
        expectSameMapAsAFreshOne(map, body, step);
        if (::testing::Test::HasFatalFailure())
            return;
    }
}

// A long text is cut into pieces that read and write as the whole did: none ends inside a
// surrogate pair, none is blank (blank text beside a block would be layout), and text the
// page writes as it stands (a script) is never cut.
TEST(TextMapTest, ALongTextIsCutIntoPiecesThatReadAndWriteAsTheWhole)
{
    const QString spaces(3000, u' ');
    const QString pairs = QStringLiteral("\U00020000").repeated(1500);
    const ParsedHtml parsed =
        parseHtmlDocument(QStringLiteral("<html><body><p>x") + spaces + QStringLiteral("</p><p>a") +
                          pairs + QStringLiteral("a") + spaces + QStringLiteral("</p><script>") +
                          QString(5000, u'/') + QStringLiteral("</script></body></html>"));
    ASSERT_NE(parsed.doc, nullptr);
    const std::unique_ptr<xmlDoc, DocumentFree> doc(parsed.doc);
    DomEditor editor(doc.get());
    const xmlNodePtr body = bodyOf(doc.get());
    const QString written = writeHtmlDocument(doc.get());
    const QString text = TextMap(body).text();

    editor.cutLongTexts(body);

    EXPECT_EQ(writeHtmlDocument(doc.get()), written);
    EXPECT_EQ(TextMap(body).text(), text);
    int pieces = 0;
    for (xmlNodePtr node = body; node != nullptr; node = nextInTree(node, body)) {
        if (node->type != XML_TEXT_NODE)
            continue;
        const QString piece = DomEditor::textOf(node);
        ++pieces;
        EXPECT_FALSE(piece.back().isHighSurrogate());
        EXPECT_FALSE(piece.trimmed().isEmpty());
        if (hasName(node->parent, "script")) {
            EXPECT_EQ(piece.size(), 5000);
        }
    }
    // x and its spaces stay whole; the pairs make three pieces, the spaces after them
    // joining the last; the script stays whole.
    EXPECT_GE(pieces, 5);
}

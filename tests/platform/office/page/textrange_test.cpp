#include "platform/office/page/htmlpage.h"
#include "platform/office/page/pageapplication.h"
#include "testpages.h"
#include "tests/support/printqstring.h"

#include <gtest/gtest.h>

using namespace office::page;
using namespace office::page::testing;

namespace
{

class TextRangeTest : public ::testing::Test
{
protected:
    void SetUp() override { page = openPage(folder.write("page.html", samplePage().toUtf8())); }

    std::unique_ptr<TextRange> whole() { return page->body()->createTextRange(); }
    std::unique_ptr<TextRange> rangeAt(int start, int end)
    {
        auto range = whole();
        range->collapse();
        range->moveEnd(end);
        range->moveStart(start);
        return range;
    }

    PageFolder folder;
    std::unique_ptr<HtmlPage> page;
};

TEST_F(TextRangeTest, BodyTextCountsImagesBreaksAndBlocksButNotLayoutWhitespace)
{
    EXPECT_EQ(whole()->text(), kSampleText);
}

TEST_F(TextRangeTest, FindTextMatchesAcrossElementsAndSearchesFromTheStart)
{
    auto range = whole();
    ASSERT_TRUE(range->findText(kFormula)); // 木 and the operator are bold, 目 is not
    EXPECT_EQ(range->text(), kFormula);
    EXPECT_EQ(range->htmlText(), QStringLiteral("<b>木") + kH + QStringLiteral("</b>目"));

    // The image's alternative text is no body text; a search from after the formula fails
    // and leaves the range where it was.
    range->move(3);
    const QString before = range->text();
    EXPECT_FALSE(range->findText(kFormula));
    EXPECT_EQ(range->text(), before);

    auto cell = whole();
    ASSERT_TRUE(cell->findText(kClose));
    EXPECT_EQ(cell->text(), kClose);
    EXPECT_FALSE(whole()->findText(QString()));
}

TEST_F(TextRangeTest, MovesClampAtTheBodyAndReportWhatTheyMoved)
{
    const int length = static_cast<int>(kSampleText.size());
    auto range = whole();
    EXPECT_EQ(range->move(1), 1); // collapses to the start first
    EXPECT_EQ(range->text(), QString());
    EXPECT_TRUE(range->expand());
    EXPECT_EQ(range->text(), QStringLiteral("木"));
    EXPECT_FALSE(range->expand());
    EXPECT_EQ(range->moveEnd(2), 2);
    EXPECT_EQ(range->text(), kFormula);
    EXPECT_EQ(range->moveStart(-5), -1);
    EXPECT_EQ(range->text(), QStringLiteral("甲") + kFormula);
    EXPECT_EQ(range->moveStart(10), 10); // drags the end along
    EXPECT_EQ(range->text(), QString());
    EXPECT_EQ(range->move(1000), length - 10);
    EXPECT_FALSE(range->expand());
    EXPECT_EQ(range->move(-3), -3);
    EXPECT_EQ(range->moveEnd(-1000), 3 - length);
    EXPECT_EQ(range->text(), QString());

    auto end = whole();
    end->collapse(false);
    EXPECT_EQ(end->moveStart(-1), -1);
    EXPECT_EQ(end->text(), QStringLiteral("\n"));
}

TEST_F(TextRangeTest, SetEndPointJoinsTwoRanges)
{
    auto formula = rangeAt(1, 2);
    auto scan = whole();
    ASSERT_TRUE(scan->findText(QStringLiteral("乙")));
    formula->setEndPoint(EndPoint::EndToEnd, *scan);
    EXPECT_EQ(formula->text(), kFormula + QStringLiteral("乙"));

    auto other = rangeAt(8, 9);
    formula->setEndPoint(EndPoint::StartToEnd, *other); // past the end: collapses there
    EXPECT_EQ(formula->text(), QString());
    formula->setEndPoint(EndPoint::StartToStart, *rangeAt(0, 0));
    EXPECT_EQ(formula->text(), kSampleText.left(9));
    formula->setEndPoint(EndPoint::EndToStart, *rangeAt(4, 4));
    EXPECT_EQ(formula->text(), QStringLiteral("甲") + kFormula);
}

TEST_F(TextRangeTest, SetTextKeepsTheFormattingAroundIt)
{
    auto cell = whole();
    ASSERT_TRUE(cell->findText(kBracketed));
    cell->setText(QStringLiteral("囗"));
    EXPECT_EQ(cell->text(), QStringLiteral("囗"));
    EXPECT_TRUE(page->html().contains(
        QStringLiteral("<td><font face=\"標楷體\" size=\"5\" color=\"#FF0000\">囗</font></td>")));

    auto formula = whole();
    ASSERT_TRUE(formula->findText(kFormula));
    formula->setText(QStringLiteral("相"));
    EXPECT_TRUE(page->html().contains(QStringLiteral("<p>甲<b>相</b>乙</p>")));
    EXPECT_TRUE(page->isModified());
}

TEST_F(TextRangeTest, PasteHtmlReplacesTheRangeAndEscapesAttributes)
{
    const QString alt = QStringLiteral("●＝") + kFormula + QStringLiteral(" & \"甲\" <乙>");
    auto formula = whole();
    ASSERT_TRUE(formula->findText(kFormula));
    formula->pasteHTML(QStringLiteral("<img border=\"0\" src=\"file:///tmp/Murvel Temp/~cp1 &amp; "
                                      "&quot;a&quot;.bmp\" align=\"texttop\" alt=\"") +
                       alt.toHtmlEscaped() + QStringLiteral("\">"));
    EXPECT_EQ(formula->text(), QString(kImage));

    auto text = whole();
    EXPECT_EQ(text->text().left(4), QStringLiteral("甲") + kImage + QStringLiteral("乙\n"));
    ASSERT_EQ(page->images()->length(), 3);
    EXPECT_EQ(page->images()->item(0)->alt(), alt);
    const QString html = page->images()->item(0)->outerHTML();
    EXPECT_TRUE(html.contains(
        QStringLiteral("src=\"file:///tmp/Murvel Temp/~cp1 &amp; &quot;a&quot;.bmp\"")))
        << html.toStdString();
}

TEST_F(TextRangeTest, OtherRangesFollowAnEdit)
{
    auto formula = whole();
    ASSERT_TRUE(formula->findText(kFormula));
    auto after = whole();
    ASSERT_TRUE(after->findText(QStringLiteral("丙")));
    auto inside = rangeAt(2, 3); // the operator
    auto before = rangeAt(0, 1);

    formula->pasteHTML(QStringLiteral("<img alt=\"x\" src=\"a.bmp\">"));
    EXPECT_EQ(after->text(), QStringLiteral("丙"));
    EXPECT_EQ(before->text(), QStringLiteral("甲"));
    EXPECT_EQ(inside->text(), QString()); // its content went: it sits where the paste starts
    EXPECT_TRUE(inside->expand());
    EXPECT_EQ(inside->text(), QString(kImage));
}

TEST_F(TextRangeTest, TypingAtTheCaretGoesIntoTheSelection)
{
    // What a toolbar button does: clear the selection, type the symbol, step past it.
    rangeAt(3, 3)->select(); // after 木 and the operator, inside <b>
    page->selection()->clear();
    auto caret = page->selection()->createRange();
    caret->setText(kOpen);
    caret->move(1);
    caret->select();
    EXPECT_EQ(page->selectionSpan().start, 4);
    EXPECT_EQ(page->selectionSpan().end, 4);
    EXPECT_TRUE(
        page->html().contains(QStringLiteral("<b>木") + kH + kOpen + QStringLiteral("</b>")));

    // A selection is deleted before the symbol goes in.
    rangeAt(0, 1)->select();
    page->selection()->clear();
    page->selection()->createRange()->setText(kH);
    EXPECT_EQ(whole()->text().left(2), kH + QStringLiteral("木"));
}

TEST(PageApplication, TypingAtTheCaretReplacesTheSelectionAndStepsPastTheText)
{
    HtmlPageApplication empty;
    EXPECT_FALSE(empty.typeAtCaret(kH).ok()) << "no page is open";

    PageFolder folder;
    HtmlPageApplication frontPage(openPage(folder.write("page.html", samplePage().toUtf8())));
    HtmlPage &page = *frontPage.page();
    auto selected = page.body()->createTextRange();
    selected->move(2);
    selected->moveEnd(2);
    selected->select();
    ASSERT_TRUE(frontPage.typeAtCaret(kOpen).ok());
    ASSERT_TRUE(frontPage.typeAtCaret(kClose).ok());
    const QString typed = kSampleText.left(2) + kOpen + kClose + kSampleText.mid(4);
    EXPECT_EQ(page.body()->createTextRange()->text(), typed);
    EXPECT_EQ(page.selectionSpan().start, 4);
    EXPECT_EQ(page.selectionSpan().end, 4);

    QStringList taken;
    frontPage.setCaretSink([&taken](const QString &text) { taken << text; });
    ASSERT_TRUE(frontPage.typeAtCaret(kH).ok());
    EXPECT_EQ(taken, QStringList{kH});
    EXPECT_EQ(page.body()->createTextRange()->text(), typed);
}

TEST_F(TextRangeTest, HtmlTextAndParentElementFollowTheStructure)
{
    auto bold = rangeAt(1, 3);
    EXPECT_EQ(bold->htmlText(), QStringLiteral("木") + kH);
    EXPECT_TRUE(bold->parentElement()->outerHTML().startsWith(QStringLiteral("<b>")));

    auto paragraph = rangeAt(0, 5);
    EXPECT_EQ(paragraph->htmlText(), QStringLiteral("甲<b>木") + kH + QStringLiteral("</b>目乙"));
    EXPECT_TRUE(paragraph->parentElement()->outerHTML().startsWith(QStringLiteral("<p>甲")));

    auto acrossCells = whole();
    ASSERT_TRUE(acrossCells->findText(kClose + QStringLiteral("\n丙")));
    EXPECT_EQ(acrossCells->htmlText(),
              QStringLiteral("<td><font face=\"標楷體\" size=\"5\" color=\"#FF0000\">") + kClose +
                  QStringLiteral("</font></td> <td>丙</td>"));
    EXPECT_TRUE(acrossCells->parentElement()->outerHTML().startsWith(QStringLiteral("<tr>")));
    EXPECT_EQ(whole()->htmlText().count(QStringLiteral("<img")), 2);
}

TEST_F(TextRangeTest, CommandValuesComeFromTheEnclosingFormatting)
{
    auto cell = whole();
    ASSERT_TRUE(cell->findText(kBracketed));
    cell->collapse();
    cell->expand();
    EXPECT_EQ(cell->queryCommandValue("FontName").toString(), QStringLiteral("標楷體"));
    EXPECT_EQ(cell->queryCommandValue("fontsize").toInt(), 5);
    EXPECT_EQ(cell->queryCommandValue("ForeColor").toLongLong(), 0x0000FF); // red as BGR
    EXPECT_FALSE(cell->queryCommandState("Bold"));

    auto bold = rangeAt(1, 2);
    EXPECT_TRUE(bold->queryCommandState("Bold"));
    EXPECT_FALSE(bold->queryCommandState("Italic"));
    EXPECT_TRUE(bold->queryCommandValue("FontName").isNull());
    EXPECT_TRUE(bold->queryCommandValue("ForeColor").isNull());
    auto caretAfterBold = rangeAt(3, 3); // an empty range reads the character before it
    EXPECT_TRUE(caretAfterBold->queryCommandState("Bold"));
    EXPECT_FALSE(rangeAt(3, 4)->queryCommandState("Bold"));
    EXPECT_EQ(page->fgColor(), QStringLiteral("#336699"));
}

TEST(TextRangeStyles, StyleAttributesOverrideTheElementsAroundThem)
{
    PageFolder folder;
    auto page = openPage(folder.write(
        "styled.html",
        QStringLiteral(
            "<html><body><b><span style=\"font-weight: normal; font-family: '細明體'; "
            "font-size: 18pt; color: rgb(1, 2, 3); text-decoration: underline\">甲</span>"
            "<i><font size=\"+2\">乙</font></i></b></body></html>")
            .toUtf8()));
    auto first = page->body()->createTextRange();
    first->collapse();
    first->expand();
    EXPECT_FALSE(first->queryCommandState("Bold"));
    EXPECT_TRUE(first->queryCommandState("Underline"));
    EXPECT_EQ(first->queryCommandValue("FontName").toString(), QStringLiteral("細明體"));
    EXPECT_EQ(first->queryCommandValue("FontSize").toInt(), 5);
    EXPECT_EQ(first->queryCommandValue("ForeColor").toLongLong(), 0x030201);
    first->move(1);
    first->expand();
    EXPECT_TRUE(first->queryCommandState("Bold"));
    EXPECT_TRUE(first->queryCommandState("Italic"));
    EXPECT_EQ(first->queryCommandValue("FontSize").toInt(), 5);
    EXPECT_EQ(page->fgColor(), QStringLiteral("#000000"));
}

} // namespace

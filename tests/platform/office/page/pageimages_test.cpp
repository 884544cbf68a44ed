#include "platform/office/page/htmlpage.h"
#include "testpages.h"
#include "tests/support/printqstring.h"

#include <gtest/gtest.h>

using namespace office::page;
using namespace office::page::testing;

namespace
{

QString pictureOf(const QString &formula, int number)
{
    return QStringLiteral("<img border=\"0\" src=file:///tmp/MurvelTempDir/~cp%1.bmp "
                          "align=\"texttop\" width=16 height=16 Alt=●＝%2>")
        .arg(number)
        .arg(formula);
}

// Turns every picture whose alternative text starts with "●＝" or "●=" back into its text,
// as the pictures-to-formulas command walks the page's images.
void picturesBackToText(Document &page)
{
    ImageCollection *images = page.images();
    const int count = images->length();
    int index = 0;
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<Element> image = images->item(index);
        const QString alt = image->alt();
        if (alt.startsWith(QStringLiteral("●＝")) || alt.startsWith(QStringLiteral("●="))) {
            image->insertAdjacentText(AdjacentPosition::BeforeBegin, alt.mid(2));
            image->setOuterHTML(QString());
        } else {
            ++index;
        }
    }
}

// Replaces a formula's range by its picture, splicing the picture into the range's HTML
// between the formula's first and last character so that the tags around it stay.
void formulaToPicture(TextRange &formula, int number)
{
    const QString text = formula.text();
    const QString html = formula.htmlText();
    const qsizetype first = html.indexOf(text.front());
    const qsizetype last = html.lastIndexOf(text.back());
    formula.pasteHTML(html.left(first) + pictureOf(text, number) + html.mid(last + 1));
}

class PageImagesTest : public ::testing::Test
{
protected:
    void SetUp() override { page = openPage(folder.write("page.html", samplePage().toUtf8())); }

    PageFolder folder;
    std::unique_ptr<HtmlPage> page;
};

TEST_F(PageImagesTest, ImagesAreListedInOrderWithTheirAttributes)
{
    ImageCollection *images = page->images();
    ASSERT_EQ(images->length(), 2);
    EXPECT_EQ(images->item(0)->alt(), QStringLiteral("●＝") + kFormula);
    EXPECT_EQ(images->item(1)->alt(), QStringLiteral("logo"));
    EXPECT_EQ(images->item(1)->outerHTML(), QStringLiteral("<img src=\"logo.gif\" alt=\"logo\">"));
    EXPECT_EQ(images->item(2), nullptr);
    EXPECT_EQ(images->item(-1), nullptr);
}

TEST_F(PageImagesTest, FormulasBecomePicturesInsideTheirFormattingAndComeBack)
{
    auto scan = page->body()->createTextRange();
    ASSERT_TRUE(scan->findText(kFormula));
    formulaToPicture(*scan, 1);
    auto cell = page->body()->createTextRange();
    ASSERT_TRUE(cell->findText(kBracketed));
    formulaToPicture(*cell, 2);

    const QString html = page->html();
    EXPECT_TRUE(html.contains(QStringLiteral("<p>甲<b><img border=\"0\" "
                                             "src=\"file:///tmp/MurvelTempDir/~cp1.bmp\" "
                                             "align=\"texttop\" width=\"16\" height=\"16\" "
                                             "alt=\"●＝") +
                              kFormula + QStringLiteral("\"></b>乙</p>")))
        << html.toStdString();
    EXPECT_TRUE(
        html.contains(QStringLiteral("<td><font face=\"標楷體\" size=\"5\" color=\"#FF0000\">"
                                     "<img border=\"0\"")));
    EXPECT_EQ(page->images()->length(), 4);

    picturesBackToText(*page);
    // The page's own picture of a formula came back too; the logo stays.
    EXPECT_EQ(page->body()->createTextRange()->text(),
              QString(kSampleText)
                  .replace(QStringLiteral("圖") + kImage, QStringLiteral("圖") + kFormula));
    ASSERT_EQ(page->images()->length(), 1);
    EXPECT_EQ(page->images()->item(0)->alt(), QStringLiteral("logo"));
    // The text went where the picture stood, inside the bold of the formula's first character.
    EXPECT_TRUE(page->html().contains(QStringLiteral("<p>甲<b>") + kFormula +
                                      QStringLiteral("</b>乙</p>")));
}

TEST_F(PageImagesTest, AdjacentPicturesBothComeBackAndOthersStay)
{
    auto range = page->body()->createTextRange();
    ASSERT_TRUE(range->findText(QStringLiteral("乙")));
    range->pasteHTML(pictureOf(QStringLiteral("甲") + kH + QStringLiteral("乙"), 3) +
                     pictureOf(kBracketed, 4) +
                     QStringLiteral("<img src=x.png alt=\"●→not ours\">"));
    auto follower = page->body()->createTextRange();
    ASSERT_TRUE(follower->findText(QStringLiteral("丙")));

    picturesBackToText(*page);
    EXPECT_EQ(page->images()->length(), 2);
    EXPECT_EQ(page->images()->item(0)->alt(), QStringLiteral("●→not ours"));
    const QString text = page->body()->createTextRange()->text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("甲") + kFormula + QStringLiteral("甲") + kH +
                                QStringLiteral("乙") + kBracketed + kImage + QStringLiteral("\n")))
        << text.toStdString();
    EXPECT_EQ(follower->text(), QStringLiteral("丙")); // live ranges follow the removals
}

TEST(PageScan, AScanThatPastesAsItGoesVisitsEveryCharacterOnce)
{
    // Private-use characters standing alone, in a paragraph, in bold and in a second block.
    PageFolder folder;
    auto page = openPage(folder.write(
        "lone.html", QStringLiteral("<html><body><p>甲\uE001乙<b>\uE002</b>\uE003</p><p>\uE004</p>"
                                    "</body></html>")
                         .toUtf8()));
    auto scan = page->body()->createTextRange();
    scan->collapse();
    QString visited;
    int pictures = 0;
    for (;;) {
        scan->moveEnd(1);
        const QString ch = scan->text();
        if (ch.isEmpty())
            break;
        visited += ch;
        if (ch.front().unicode() >= 0xE000 && ch.front().unicode() <= 0xF848)
            scan->duplicate()->pasteHTML(pictureOf(ch, ++pictures));
        if (scan->move(1) == 0)
            break;
    }
    EXPECT_EQ(visited, QStringLiteral("甲\uE001乙\uE002\uE003\n\uE004\n"));
    ASSERT_EQ(page->images()->length(), 4);
    EXPECT_EQ(page->images()->item(1)->alt(), QStringLiteral("●＝\uE002"));
    EXPECT_EQ(page->body()->createTextRange()->text(),
              QStringLiteral("甲%1乙%1%1\n%1\n").arg(kImage));
    EXPECT_TRUE(page->html().contains(QStringLiteral("<b><img")));
}

TEST_F(PageImagesTest, RemovedElementsStaySafeToUse)
{
    std::unique_ptr<Element> logo = page->images()->item(1);
    std::unique_ptr<Element> again = page->images()->item(1);
    logo->setOuterHTML(QString());
    EXPECT_EQ(page->images()->length(), 1);
    EXPECT_EQ(again->alt(), QStringLiteral("logo"));
    again->insertAdjacentText(AdjacentPosition::BeforeBegin, QStringLiteral("x"));
    again->setOuterHTML(QStringLiteral("<b>y</b>"));
    EXPECT_FALSE(page->body()->createTextRange()->findText(QStringLiteral("x")));
    EXPECT_FALSE(page->body()->createTextRange()->findText(QStringLiteral("y")));
}

TEST_F(PageImagesTest, TextGoesAroundAndIntoElements)
{
    auto range = page->body()->createTextRange();
    ASSERT_TRUE(range->findText(QStringLiteral("丙")));
    std::unique_ptr<Element> cell = range->parentElement();
    cell->insertAdjacentText(AdjacentPosition::AfterBegin, QStringLiteral("<1>"));
    cell->insertAdjacentText(AdjacentPosition::BeforeEnd, QStringLiteral("2"));
    cell->insertAdjacentText(AdjacentPosition::AfterEnd, QStringLiteral("3"));
    EXPECT_TRUE(page->html().contains(QStringLiteral("<td>&lt;1>丙2</td>3</tr>")))
        << page->html().toStdString();
    EXPECT_EQ(range->text(), QStringLiteral("丙"));

    int scrolledTo = -1;
    page->setScrollHandler([&](int position, bool) { scrolledTo = position; });
    cell->scrollIntoView();
    EXPECT_EQ(scrolledTo, static_cast<int>(kSampleText.indexOf(QStringLiteral("丙"))));
}

} // namespace

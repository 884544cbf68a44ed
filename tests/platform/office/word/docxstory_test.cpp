#include "platform/office/word/docx/docxdocument.h"
#include "tests/platform/office/word/sampledocx.h"

#include <gtest/gtest.h>

using word::CollapseDirection;
using word::FindOptions;
using word::Font;
using word::docx::DocxDocument;

namespace
{

class DocxStoryTest : public wordtest::SampleDocxTest
{
protected:
    void saveAndReopen()
    {
        ASSERT_TRUE(m_document->save());
        open();
    }

    QString documentXml() const
    {
        return QString::fromUtf8(wordtest::zipEntry(m_path, QStringLiteral("word/document.xml")));
    }

    // The first range of the main text that holds text.
    std::unique_ptr<word::Range> rangeOf(const QString &text)
    {
        auto range = m_document->content();
        FindOptions options;
        options.text = text;
        EXPECT_TRUE(range->find(options)) << text.toStdString();
        return range;
    }
};

} // namespace

TEST_F(DocxStoryTest, MainTextCountsHiddenTextFieldsTablesAndObjects)
{
    auto content = m_document->content();
    EXPECT_EQ(content->text(), wordtest::sampleMainText);
    EXPECT_EQ(content->start(), 0);
    EXPECT_EQ(content->end(), wordtest::sampleMainText.size());
}

TEST_F(DocxStoryTest, WildcardFindWalksEveryOperatorIncludingHiddenAndTableText)
{
    auto range = m_document->content();
    FindOptions options;
    options.text = QStringLiteral("[\uF6A3-\uF6AE]");
    options.matchWildcards = true;
    QList<int> hits;
    while (range->find(options)) {
        EXPECT_EQ(range->end() - range->start(), 1);
        hits.append(range->start());
        range->collapse(CollapseDirection::End);
    }
    const QString &text = wordtest::sampleMainText;
    EXPECT_EQ(hits, (QList<int>{int(text.indexOf(u'\uF6A4')), int(text.indexOf(u'\uF6A3')),
                                int(text.indexOf(u'\uF6A5'))}));
}

TEST_F(DocxStoryTest, GrowingAFormulaWithMoveEndAndMoveEndUntil)
{
    auto range = rangeOf(QStringLiteral("\uF6A4"));
    range->setStart(range->start() - 1);
    EXPECT_EQ(range->moveEnd(1), 1);
    EXPECT_EQ(range->text(), QStringLiteral("口\uF6A4木"));
    // Up to, not over, the next character of the set; nothing moves when none is near.
    EXPECT_EQ(range->moveEndUntil(QStringLiteral("\uF6A3"), 10), 2);
    EXPECT_EQ(range->text(), QStringLiteral("口\uF6A4木乙丙"));
    EXPECT_EQ(range->moveEndUntil(QStringLiteral("Z"), 5), 0);
    EXPECT_EQ(range->moveEnd(-100), -range->end());
    EXPECT_EQ(range->start(), 0);
}

TEST_F(DocxStoryTest, ReplacingAFormulaAcrossRunsKeepsTheFirstRunsFormatting)
{
    auto range = rangeOf(QStringLiteral("口\uF6A4木"));
    range->setText(QStringLiteral("\uE123"));
    EXPECT_EQ(range->text(), QStringLiteral("\uE123"));
    EXPECT_EQ(range->font().name, QStringLiteral("標楷體"));
    saveAndReopen();
    QString expected = wordtest::sampleMainText;
    expected.replace(QStringLiteral("口\uF6A4木"), QStringLiteral("\uE123"));
    EXPECT_EQ(m_document->content()->text(), expected);
    // The two runs of the same formatting around the replacement became one again.
    EXPECT_TRUE(documentXml().contains(QStringLiteral("甲\uE123乙")));
}

TEST_F(DocxStoryTest, FontOfEastAsianHiddenAndPlainText)
{
    EXPECT_EQ(rangeOf(QStringLiteral("甲"))->font().name, QStringLiteral("標楷體"));
    // Latin text without formatting of its own takes the document's default face.
    EXPECT_EQ(rangeOf(QStringLiteral("tail"))->font().name, QStringLiteral("Times New Roman"));
    EXPECT_EQ(rangeOf(QStringLiteral("cell"))->font().size, 12.0);
    const Font hidden = rangeOf(QStringLiteral("丙\uF6A3丁"))->font();
    EXPECT_EQ(hidden.hidden, true);
    EXPECT_EQ(hidden.color, Font::automaticColor);
    // Mixed values read as undefined.
    const Font mixed = rangeOf(QStringLiteral("乙丙"))->font();
    EXPECT_FALSE(mixed.hidden.has_value());
    EXPECT_EQ(mixed.name, QStringLiteral("標楷體"));
}

TEST_F(DocxStoryTest, SettingAFontChangesOnlyTheRange)
{
    const QString before = documentXml();
    auto range = rangeOf(QStringLiteral("木"));
    const Font original = range->font();
    Font eudc;
    eudc.name = QStringLiteral("標楷體外字集一");
    eudc.bold = true;
    eudc.color = 0x0000FF; // red
    eudc.size = 10.5;
    eudc.underline = Font::underlineSingle;
    range->setFont(eudc);
    const Font changed = range->font();
    EXPECT_EQ(changed.name, eudc.name);
    EXPECT_EQ(changed.bold, true);
    EXPECT_EQ(changed.color, 0x0000FF);
    EXPECT_EQ(changed.size, 10.5);
    EXPECT_EQ(changed.underline, Font::underlineSingle);
    EXPECT_EQ(rangeOf(QStringLiteral("乙"))->font().name, QStringLiteral("標楷體"));
    EXPECT_EQ(rangeOf(QStringLiteral("\uF6A4"))->font().bold, false);
    // A lookup without a typeface for its glyph leaves the typeface as it is.
    Font noFace;
    noFace.name = QString();
    noFace.size = 0;
    range->setFont(noFace);
    EXPECT_EQ(range->font().name, eudc.name);
    EXPECT_EQ(range->font().size, 10.5);
    saveAndReopen();
    EXPECT_TRUE(documentXml().contains(QStringLiteral("<w:color w:val=\"FF0000\"/>")));

    auto again = rangeOf(QStringLiteral("木"));
    Font back;
    back.name = QStringLiteral("標楷體");
    back.bold = false;
    back.color = Font::automaticColor;
    back.size = 12;
    back.underline = Font::underlineNone;
    again->setFont(back);
    EXPECT_EQ(again->font().name, original.name);
    EXPECT_EQ(m_document->content()->text(), wordtest::sampleMainText);
}

TEST_F(DocxStoryTest, InsertionsTakeThePrecedingFormattingAndControlCharactersAreDropped)
{
    auto range = rangeOf(QStringLiteral("乙"));
    range->collapse(CollapseDirection::End);
    range->insertAfter(QStringLiteral("新\x01\tz"));
    EXPECT_EQ(range->text(), QStringLiteral("新\tz"));
    EXPECT_EQ(range->font().name, QStringLiteral("標楷體"));
    saveAndReopen();
    EXPECT_TRUE(m_document->content()->text().startsWith(QStringLiteral("甲口\uF6A4木乙新\tz丙")));
}

TEST_F(DocxStoryTest, ParagraphEndsSplitAndJoinParagraphs)
{
    auto range = rangeOf(QStringLiteral("tail"));
    range->setText(QStringLiteral("one\rtwo"));
    EXPECT_EQ(range->text(), QStringLiteral("one\rtwo"));
    auto end = rangeOf(QStringLiteral("two\r"));
    end->setStart(end->end() - 1);
    EXPECT_TRUE(end->deleteText()); // joins "two" with the next paragraph
    saveAndReopen();
    EXPECT_TRUE(m_document->content()->text().contains(QStringLiteral("丁one\rtwolink42")));
    // The section break stays with the paragraph that ends the first section.
    EXPECT_EQ(m_document->sections().count(), 2);
}

TEST_F(DocxStoryTest, OtherRangesFollowAnEdit)
{
    auto later = rangeOf(QStringLiteral("tail"));
    auto earlier = rangeOf(QStringLiteral("口\uF6A4木"));
    auto selection = m_document->content();
    selection->setRange(0, 1);
    earlier->setText(QStringLiteral("X"));
    EXPECT_EQ(later->text(), QStringLiteral("tail"));
    EXPECT_EQ(selection->text(), QStringLiteral("甲"));
}

TEST_F(DocxStoryTest, ReplaceOneChangesOnlyTheFirstMatchFromThePosition)
{
    auto range = m_document->content();
    range->setRange(1, 1);
    FindOptions options;
    options.text = QStringLiteral("口\uF6A4木");
    options.replaceWith = QStringLiteral("林");
    options.replaceOne = true;
    EXPECT_TRUE(range->find(options));
    EXPECT_EQ(range->text(), QStringLiteral("林"));
    EXPECT_FALSE(range->find(options));
    EXPECT_TRUE(m_document->content()->text().startsWith(QStringLiteral("甲林乙")));
}

TEST_F(DocxStoryTest, EditsInsideHyperlinksFieldResultsAndCellsStayWhereTheyAre)
{
    rangeOf(QStringLiteral("link"))->setText(QStringLiteral("鏈結"));
    rangeOf(QStringLiteral("\uF6A5"))->setText(QStringLiteral("\uE001"));
    rangeOf(QStringLiteral("42"))->setText(QStringLiteral("7"));
    saveAndReopen();
    const QString xml = documentXml();
    EXPECT_TRUE(
        xml.contains(QStringLiteral("<w:hyperlink r:id=\"rIdLink\"><w:r><w:t "
                                    "xml:space=\"preserve\">鏈結</w:t></w:r></w:hyperlink>")))
        << xml.toStdString();
    EXPECT_TRUE(xml.contains(QStringLiteral("<w:fldSimple w:instr=\" PAGE \"><w:r><w:t "
                                            "xml:space=\"preserve\">7</w:t></w:r></w:fldSimple>")));
    EXPECT_TRUE(xml.contains(QStringLiteral("<w:tc><w:tcPr><w:tcW w:w=\"4000\" w:type=\"dxa\"/>"
                                            "</w:tcPr><w:p><w:r><w:t xml:space=\"preserve\">"
                                            "cell\uE001text</w:t></w:r></w:p></w:tc>")));
}

TEST_F(DocxStoryTest, AReplacementReachingIntoATableShowsWhatItSaves)
{
    // From "x" before the table into its cell: the paragraph before a table keeps its end,
    // the cell loses "ce".
    auto range = rangeOf(QStringLiteral("x\rce"));
    range->setText(QStringLiteral("字"));
    const QString shown = m_document->content()->text();
    EXPECT_TRUE(shown.contains(QStringLiteral("link42\t字\rll\uF6A5text\r")))
        << shown.toStdString();
    saveAndReopen();
    EXPECT_EQ(m_document->content()->text(), shown);
}

TEST_F(DocxStoryTest, TextTypedIntoAnEmptyParagraphTakesItsMarksFormatting)
{
    const QString path = m_folder.filePath(QStringLiteral("empty.docx"));
    ASSERT_TRUE(wordtest::writeDocx(
        path, QStringLiteral("<w:p><w:pPr><w:rPr><w:rFonts w:eastAsia=\"標楷體\"/><w:ins "
                             "w:id=\"1\" w:author=\"a\"/></w:rPr></w:pPr></w:p>")));
    auto opened = DocxDocument::open(path);
    ASSERT_TRUE(opened);
    auto range = opened.value()->content();
    EXPECT_EQ(range->text(), QStringLiteral("\r"));
    range->collapse(CollapseDirection::Start);
    range->insertAfter(QStringLiteral("口"));
    EXPECT_EQ(range->font().name, QStringLiteral("標楷體"));
    ASSERT_TRUE(opened.value()->save());
    const QByteArray xml = wordtest::zipEntry(path, QStringLiteral("word/document.xml"));
    // The revision mark belongs to the paragraph's end, not to the new text.
    EXPECT_TRUE(xml.contains("<w:r><w:rPr><w:rFonts w:eastAsia=\"標楷體\"/></w:rPr><w:t "
                             "xml:space=\"preserve\">口</w:t></w:r>"))
        << xml.constData();
}

TEST_F(DocxStoryTest, TypedPrivateUseCharactersAreMarkedAsEastAsianText)
{
    const QString path = m_folder.filePath(QStringLiteral("boxes.docx"));
    ASSERT_TRUE(wordtest::writeDocx(
        path, QStringLiteral("<w:p><w:r><w:rPr><w:rFonts w:ascii=\"Times New Roman\" "
                             "w:hAnsi=\"Times New Roman\" "
                             "w:eastAsia=\"標楷體\"/><w:b/></w:rPr><w:t>A\uE000\uE001B</w:t>"
                             "</w:r></w:p>")));
    auto opened = DocxDocument::open(path);
    ASSERT_TRUE(opened);
    auto range = opened.value()->content();
    range->setRange(1, 3);
    range->typeText(range->text());
    range->setRange(0, 1);
    range->typeText(QStringLiteral("a"));
    EXPECT_EQ(opened.value()->content()->text(), QStringLiteral("a\uE000\uE001B\r"));
    ASSERT_TRUE(opened.value()->save());
    const QByteArray xml = wordtest::zipEntry(path, QStringLiteral("word/document.xml"));
    // The two private-use characters share one run with the hint and the East Asian
    // typeface in every slot; the Latin text around them keeps its own run and typeface.
    EXPECT_TRUE(xml.contains(
        "<w:r><w:rPr><w:rFonts w:ascii=\"標楷體\" w:hAnsi=\"標楷體\" w:eastAsia=\"標楷體\" "
        "w:cs=\"標楷體\" w:hint=\"eastAsia\"/><w:b/></w:rPr><w:t "
        "xml:space=\"preserve\">\uE000\uE001</w:t></w:r>"))
        << xml.constData();
    EXPECT_TRUE(xml.contains("<w:t xml:space=\"preserve\">a</w:t>")) << xml.constData();
    EXPECT_TRUE(xml.contains("w:ascii=\"Times New Roman\" w:hAnsi=\"Times New Roman\""));
    EXPECT_TRUE(xml.contains(">B</w:t>"));
}

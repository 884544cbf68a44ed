#include "comAddIn/porvex/candidatedialog.h"
#include "comAddIn/porvex/word/conversiondriver.h"
#include "comAddIn/porvex/word/rangeconverter.h"
#include "tests/comAddIn/porvex/word/wordrun.h"
#include "tests/platform/office/word/sampledocx.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QXmlStreamReader>

using namespace wordrun;

namespace
{

// The paragraphs of a saved document, "cell:" before those in table cells, "\v" for each
// line break.
QStringList paragraphsOnDisk(const QString &path)
{
    QXmlStreamReader xml(wordtest::zipEntry(path, QStringLiteral("word/document.xml")));
    QStringList paragraphs;
    int cells = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        const QStringView name = xml.qualifiedName();
        if (xml.isEndElement() && name == u"w:tc")
            --cells;
        if (!xml.isStartElement())
            continue;
        if (name == u"w:tc")
            ++cells;
        else if (name == u"w:p")
            paragraphs << (cells > 0 ? QStringLiteral("cell:") : QString());
        else if (name == u"w:t" && !paragraphs.isEmpty())
            paragraphs.last() += xml.readElementText();
        else if (name == u"w:br" && !paragraphs.isEmpty())
            paragraphs.last() += u'\v';
    }
    return paragraphs;
}

// Formulas converted one paragraph at a time: what the copy shows, what the source keeps.
class RangeConverterTest : public WordRunTest
{
protected:
    using Conversion = platform::Result<bool> (*)(word::Application &,
                                                  const porvex::ConversionContext &);

    // Runs a conversion over a document of the body; false when no copy came out.
    bool converted(const QString &bodyXml, Conversion conversion = porvex::ConvertDocumentToGlyphs)
    {
        if (openBody(bodyXml) == nullptr)
            return false;
        conversion(m_word, context());
        return copy() != nullptr;
    }
    // The glyph or picture conversion over one paragraph.
    bool toGlyphs(const QString &text) { return converted(bodyOfParagraphs({text})); }
    bool toPictures(const QString &text)
    {
        return converted(bodyOfParagraphs({text}), porvex::ConvertDocumentToPictures);
    }
    // Both documents as saved hold these paragraphs (see paragraphsOnDisk).
    void expectBothHold(const QStringList &paragraphs)
    {
        EXPECT_EQ(paragraphsOnDisk(pathOf("report☆.docx")), paragraphs) << "in the copy";
        EXPECT_EQ(paragraphsOnDisk(pathOf("report.docx")), paragraphs) << "in the source";
    }
    word::Document *copy()
    {
        word::Document *glyphs = document(QStringLiteral("report☆.docx"));
        return glyphs != nullptr ? glyphs : document(QStringLiteral("report★.docx"));
    }
    QString copyText() { return copy()->content()->text(); }
    QString sourceText() { return document(QStringLiteral("report.docx"))->content()->text(); }
    // The typeface of the copy's main text at position.
    QString copyFaceAt(int position)
    {
        auto range = copy()->content();
        range->setRange(position, position + 1);
        return range->font().name.value_or(QString());
    }
};

TEST_F(RangeConverterTest, EveryKindOfFormulaBecomesItsGlyphAndOnlyOrdinaryGlyphsReachTheSource)
{
    const QString eudc = "女" + Above + "子";
    const QString bracketed = Open + "日月" + Close;
    const QString numbered = Open + "70001" + Close;
    ASSERT_TRUE(toGlyphs("甲日" + Beside + "月乙" + eudc + "丙" + Thrice + "水丁" + bracketed +
                         "戊" + numbered + "己"));
    EXPECT_EQ(copyText(), "甲明乙永丙淼丁\uE101戊\uE102己\r");
    EXPECT_EQ(copyFaceAt(1), "新細明體") << "an ordinary glyph keeps the text's typeface";
    EXPECT_EQ(copyFaceAt(3), "細明體外字集三");
    EXPECT_EQ(copyFaceAt(7), "細明體外字集二");
    EXPECT_EQ(copyFaceAt(9), "qel98m") << "a glyph number is written in its own typeface";
    EXPECT_EQ(sourceText(), "甲明乙" + eudc + "丙淼丁" + bracketed + "戊" + numbered + "己\r");
    EXPECT_TRUE(loggedFormulas().isEmpty());
}

TEST_F(RangeConverterTest, AFormulaKeyHitOfAnotherSetThanBig5StaysInTheSourceThoughItHasAGlyph)
{
    // 森 is written from set 1, 炎 in the chooser's typeface (字體 below 0).
    const QString forest = Thrice + "木";
    const QString flame = "火" + Above + "火";
    ASSERT_TRUE(toGlyphs("甲" + forest + "乙" + flame + "丙"));
    EXPECT_EQ(copyText(), "甲\uE103乙炎丙\r");
    EXPECT_EQ(copyFaceAt(1), "細明體外字集一");
    EXPECT_EQ(sourceText(), "甲" + forest + "乙" + flame + "丙\r");
}

TEST_F(RangeConverterTest, AFormulaIsReplacedInTheSourceAtItsOwnPlaceNotInsideALongerOne)
{
    // The first formula stays in the source (its glyph has no character of its own) and
    // holds the text of the second, which the source takes as 明.
    const QString longer = "子" + Above + "日" + Beside + "月";
    ASSERT_TRUE(toGlyphs(longer + "，日" + Beside + "月。"));
    EXPECT_EQ(copyText(), "泳，明。\r");
    EXPECT_EQ(sourceText(), longer + "，明。\r");
}

// In these the chooser picks the root that the formula's last component is: were the text
// before the operator taken in, the pick would take its place and join what it divides.
TEST_F(RangeConverterTest, AnOperatorThatOpensAStoryOrAParagraphTakesNoComponentBeforeIt)
{
    m_dialog = ScriptedPicker(0);
    ASSERT_TRUE(converted(bodyOfParagraphs(
        {Beside + "月 第一段日", Beside + "月 第二段", "後來日" + Beside + "月"})));
    EXPECT_EQ(m_dialog.asked, 2);
    EXPECT_EQ(m_dialog.lastFormula, Beside + "月");
    expectBothHold({"月 第一段日", "月 第二段", "後來明"});
}

TEST_F(RangeConverterTest, AnOperatorThatOpensATableCellTakesNoComponentBeforeIt)
{
    m_dialog = ScriptedPicker(0);
    const QString cell = QStringLiteral("<w:tc><w:tcPr><w:tcW w:w=\"2000\" w:type=\"dxa\"/>"
                                        "</w:tcPr>%1</w:tc>");
    const QString table = "<w:tbl><w:tblGrid><w:gridCol w:w=\"2000\"/><w:gridCol w:w=\"2000\"/>"
                          "</w:tblGrid><w:tr>" +
                          cell.arg(paragraphXml("格一 日")) +
                          cell.arg(paragraphXml(Beside + "月 格二")) + "</w:tr></w:tbl>";
    ASSERT_TRUE(converted(table + bodyOfParagraphs({"後來日" + Beside + "月"})));
    EXPECT_EQ(m_dialog.lastFormula, Beside + "月");
    expectBothHold({"cell:格一 日", "cell:月 格二", "後來明"});
}

TEST_F(RangeConverterTest, AFormulaTakesNoLineBreakOrParagraphEndOnEitherSide)
{
    m_dialog = ScriptedPicker(0);
    ASSERT_TRUE(converted(bodyOfParagraphs({"甲日\v" + Beside + "月", "乙日" + Beside, "月丙"})));
    EXPECT_EQ(m_dialog.asked, 2);
    EXPECT_EQ(m_dialog.lastFormula, "日" + Beside);
    expectBothHold({"甲日\v月", "乙日", "月丙"});
}

TEST_F(RangeConverterTest, APictureOrATabBeforeAnOperatorIsNoComponent)
{
    m_dialog = ScriptedPicker(0);
    const QString paragraph =
        QStringLiteral("<w:p><w:r><w:t>甲</w:t></w:r><w:r>%1</w:r><w:r><w:t>%2</w:t></w:r></w:p>");
    ASSERT_TRUE(converted(paragraph.arg("<w:drawing/>", Beside + "月乙") +
                          paragraph.arg("<w:drawing/><w:tab/>", Beside + "月丙") +
                          bodyOfParagraphs({})));
    EXPECT_EQ(m_dialog.asked, 2);
    EXPECT_EQ(m_dialog.lastFormula, Beside + "月");
    EXPECT_EQ(copyText(), "甲\x01月乙\r甲\x01\t月丙\r");
    EXPECT_EQ(sourceText(), "甲\x01月乙\r甲\x01\t月丙\r");
}

TEST_F(RangeConverterTest, AnUnclosedBracketLeavesBothDocumentsAsTheyWere)
{
    // Nothing closes the bracket within 50 characters: the formula before it is converted
    // once, the bracket and what follows stay in both documents.
    const QString unclosed = Open + "日月" + QString(50, u'x') + Close;
    ASSERT_TRUE(toGlyphs("日" + Beside + "月" + unclosed));
    EXPECT_EQ(copyText(), "明" + unclosed + "\r");
    EXPECT_EQ(sourceText(), "明" + unclosed + "\r");
}

TEST_F(RangeConverterTest, ABracketReachesFiftyCharactersAheadAndNoFurther)
{
    // The closing bracket of the first glyph number stands 50 characters after its opening
    // one, that of the second 51.
    const QString reached = Open + QString(44, u'0') + "70001" + Close;
    const QString beyond = Open + QString(45, u'0') + "70001" + Close;
    ASSERT_TRUE(toGlyphs(reached + "，" + beyond));
    EXPECT_EQ(copyText(), "\uE102，" + beyond + "\r");
    EXPECT_EQ(sourceText(), reached + "，" + beyond + "\r");
}

TEST_F(RangeConverterTest, NothingInsideABracketLeftAloneIsLookedUpLoggedOrReplaced)
{
    m_dialog = ScriptedPicker(0);
    const QString missing = "木" + Beside + "木" + Beside + "口";
    const QString inside = "日" + Beside + "月" + missing + "女" + Around + "子";
    const QString overLong = Open + inside + QString(51 - inside.size(), u'x') + Close;
    ASSERT_TRUE(toGlyphs(overLong + "日" + Beside + "月"));
    EXPECT_EQ(copyText(), overLong + "明\r");
    EXPECT_EQ(sourceText(), overLong + "明\r");
    EXPECT_TRUE(loggedFormulas().isEmpty());
    EXPECT_EQ(m_dialog.asked, 0);
}

TEST_F(RangeConverterTest, ABracketDoesNotReachOverTheEndOfItsParagraph)
{
    // Picked, 日月 would become 明 and the two paragraphs one.
    m_dialog = ScriptedPicker(0);
    ASSERT_TRUE(converted(bodyOfParagraphs({"甲" + Open + "日", "月" + Close + "乙"})));
    EXPECT_EQ(copyText(), "甲" + Open + "日\r月" + Close + "乙\r");
    EXPECT_EQ(sourceText(), "甲" + Open + "日\r月" + Close + "乙\r");
    EXPECT_EQ(m_dialog.asked, 0);
}

TEST_F(RangeConverterTest, AStrayClosingBracketStaysAndIsNotLoggedAsAFormula)
{
    const QString text = Open + QString(51, u'x') + Close + "日" + Beside + "月";
    ASSERT_TRUE(toPictures(text));
    EXPECT_EQ(copyText(), Open + QString(51, u'x') + Close + "明\r");
    EXPECT_TRUE(loggedFormulas().isEmpty());
}

TEST_F(RangeConverterTest, AMissingFormulaStaysAndIsLoggedOnce)
{
    const QString missing = "木" + Beside + "木" + Beside + "口";
    ASSERT_TRUE(toGlyphs(missing + "，" + missing));
    EXPECT_EQ(copyText(), missing + "，" + missing + "\r");
    EXPECT_EQ(sourceText(), missing + "，" + missing + "\r");
    EXPECT_EQ(loggedFormulas(), QStringList{missing});
    EXPECT_EQ(m_dialog.asked, 0);
}

TEST_F(RangeConverterTest, APickInTheChooserIsWrittenInBothAndTheSelectionComesBack)
{
    m_dialog = ScriptedPicker(0);
    const QString formula = "女" + Around + "子";
    ASSERT_TRUE(toGlyphs("甲" + formula + "乙"));
    ASSERT_EQ(m_dialog.asked, 1);
    EXPECT_EQ(m_dialog.lastFormula, formula);
    ASSERT_EQ(m_dialog.offered.size(), 2) << "好 and 永 share the roots 女子";
    EXPECT_EQ(copyText(), "甲好乙\r");
    EXPECT_EQ(sourceText(), "甲好乙\r");
    EXPECT_FALSE(copy()->bookmarks().exists("qel_900528"));
    EXPECT_TRUE(m_word.screenUpdating());
}

TEST_F(RangeConverterTest, TheChooserShowsTheFormulaSelectedAndWritesTheButtonClicked)
{
    const QString formula = "女" + Around + "子";
    ASSERT_NE(openParagraphs({"甲乙" + formula + "丙"}), nullptr);
    porvex::DialogCandidatePicker dialog;
    porvex::ConversionContext run = context();
    run.picker = &dialog;
    QString label;
    QStringList buttons;
    QString selected;
    bool updating = false;
    QTimer::singleShot(0, [&] {
        auto *shown = QApplication::activeModalWidget();
        ASSERT_NE(shown, nullptr);
        ASSERT_EQ(shown->objectName(), "frmConfirm");
        label = shown->findChild<QLabel *>("Label")->text();
        for (int i = 1; i <= 8; ++i) {
            auto *button = shown->findChild<QPushButton *>(QStringLiteral("cmb%1").arg(i));
            if (!button->isHidden())
                buttons << button->text();
        }
        selected = m_word.selection()->text();
        updating = m_word.screenUpdating();
        shown->findChild<QPushButton *>("cmb2")->click();
    });
    porvex::ConvertDocumentToGlyphs(m_word, run);
    EXPECT_EQ(label, formula + "：");
    EXPECT_EQ(buttons, QStringList({"好", "永"}));
    EXPECT_EQ(selected, formula) << "the formula is shown to the user";
    EXPECT_TRUE(updating);
    EXPECT_EQ(copyText(), "甲乙永丙\r");
    EXPECT_EQ(sourceText(), "甲乙女" + Above + "子丙\r");
}

TEST_F(RangeConverterTest, RejectingEveryCandidateLogsTheFormulaAndLeavesIt)
{
    m_dialog = ScriptedPicker(porvex::CandidatePicker::NoneOfThese);
    const QString formula = "女" + Around + "子";
    ASSERT_TRUE(toGlyphs(formula + formula));
    EXPECT_EQ(m_dialog.asked, 1) << "a logged formula is not offered again";
    EXPECT_EQ(copyText(), formula + formula + "\r");
    EXPECT_EQ(sourceText(), formula + formula + "\r");
    EXPECT_EQ(loggedFormulas(), QStringList{formula});
}

TEST_F(RangeConverterTest, PicturesReplaceGlyphsWithoutACharacterAndLoneEndUserCharacters)
{
    const QString eudc = "女" + Above + "子";
    ASSERT_TRUE(toPictures("甲" + eudc + "乙日" + Beside + "月丙" + Trigram + "丁"));
    EXPECT_EQ(copyText(), "甲\x01乙明丙\x01丁\r") << "明 is a character: it stays text";
    word::InlineShapes &pictures = copy()->inlineShapes();
    ASSERT_EQ(pictures.count(), 2);
    EXPECT_EQ(pictures.item(1)->alternativeText(), "●＝" + eudc);
    EXPECT_EQ(pictures.item(2)->alternativeText(), "●＝" + Trigram);
    const QDir pictureFolder(m_windows.filePath("Temp/MurvelTempDir"));
    EXPECT_TRUE(pictureFolder.exists("~cp1.bmp"));
    EXPECT_TRUE(pictureFolder.exists("~cp2.bmp"));
    EXPECT_EQ(sourceText(), "甲" + eudc + "乙明丙" + Trigram + "丁\r");
}

TEST_F(RangeConverterTest, APickedGlyphIsAPictureWhoseAltTextIsThePickedFormula)
{
    m_dialog = ScriptedPicker(1);
    const QString formula = "女" + Around + "子";
    ASSERT_TRUE(toPictures(formula));
    EXPECT_EQ(copyText(), "\x01\r");
    ASSERT_EQ(copy()->inlineShapes().count(), 1);
    EXPECT_EQ(copy()->inlineShapes().item(1)->alternativeText(), "●＝女" + Above + "子")
        << "the result text, the picked record's own formula";
    EXPECT_EQ(sourceText(), "女" + Above + "子\r");
}

} // namespace

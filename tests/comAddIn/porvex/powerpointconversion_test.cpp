#include "comAddIn/porvex/lookuprules.h"
#include "comAddIn/porvex/operatorsymbols.h"
#include "comAddIn/porvex/powerpoint/powerpointconversion.h"
#include "conversiontesting.h"
#include "platform/office/powerpoint/pptxapplication.h"
#include "tests/platform/office/powerpoint/samplepresentation.h"
#include "tests/support/libreoffice.h"

using namespace porvex;
using namespace office::powerpoint;
using namespace formulas;

namespace
{

// Where the sample presentation's texts are, position by position.
TextFrame *textBox(Presentation &shown)
{
    return shown.slide(1)->shape(1)->textFrame();
}
TextFrame *grouped(Presentation &shown)
{
    return shown.slide(1)->shape(2)->groupItem(1)->textFrame();
}
TextFrame *nestedGroup(Presentation &shown)
{
    return shown.slide(1)->shape(2)->groupItem(2)->groupItem(1)->textFrame();
}
TextFrame *tableCell(Presentation &shown, int row, int column)
{
    return shown.slide(1)->shape(3)->table()->cell(row, column)->shape().textFrame();
}
TextFrame *secondSlide(Presentation &shown)
{
    return shown.slide(2)->shape(1)->textFrame();
}

QString textOf(TextFrame *frame)
{
    return frame->textRange()->text();
}

// The sample presentation with formulas in a text box (two paragraphs), in a group and a
// group inside it, in two table cells and on the second slide.
class PowerPointConversionTest : public ConversionTest
{
protected:
    PowerPointConversionTest() : ConversionTest(1) {}

    void SetUp() override
    {
        source = documents.filePath(QStringLiteral("plan.old.pptx"));
        copy = documents.filePath(QStringLiteral("plan.old☆.pptx"));
        ASSERT_TRUE(writeSamplePresentation(source));
        auto opened = powerPoint.presentations().open(source);
        ASSERT_TRUE(opened.ok()) << opened.errorString().toStdString();
        Presentation &shown = *opened.value();
        groupFace = grouped(shown)->textRange()->characters(1, 1)->font().name();
        textBox(shown)->textRange()->setText(Bright + "\r" + Bright + "見");
        grouped(shown)->textRange()->setText(Girl);
        nestedGroup(shown)->textRange()->setText(Girl + "乙" + Bright);
        tableCell(shown, 1, 2)->textRange()->setText(Fish);
        tableCell(shown, 2, 1)->textRange()->setText(MissingBracket + Bright);
        secondSlide(shown)->textRange()->setText(MissingHalf + Open + Bright);
        ASSERT_TRUE(shown.save().ok());
    }

    struct Reopened {
        PptxApplication application;
        Presentation *presentation = nullptr;
    };
    static std::unique_ptr<Reopened> reopen(const QString &path)
    {
        auto reopened = std::make_unique<Reopened>();
        auto opened = reopened->application.presentations().open(path);
        EXPECT_TRUE(opened.ok()) << opened.errorString().toStdString();
        reopened->presentation = opened.value();
        return reopened;
    }

    platform::Result<bool> convert()
    {
        return PowerPointConversion(powerPoint, context).ConvertPresentationToGlyphs();
    }

    PptxApplication powerPoint;
    QString source;
    QString copy;
    QString groupFace;
};

TEST_F(PowerPointConversionTest, ShapesGroupsWithinGroupsAndTableCellsAreConverted)
{
    const platform::Result<bool> run = convert();
    ASSERT_TRUE(run.ok()) << run.errorString().toStdString();

    const auto converted = reopen(copy);
    Presentation &preview = *converted->presentation;
    EXPECT_EQ(textOf(textBox(preview)), "明\r明見") << "a paragraph's end parts two formulas";
    EXPECT_EQ(textOf(grouped(preview)), "\uE010");
    EXPECT_EQ(grouped(preview)->textRange()->font().name(), EudcFaceName(groupFace, 3));
    EXPECT_EQ(textOf(nestedGroup(preview)), "\uE010乙明");
    EXPECT_EQ(textOf(tableCell(preview, 1, 2)), "\uE002");
    EXPECT_EQ(textOf(tableCell(preview, 2, 1)), MissingBracket + "明");
    EXPECT_EQ(textOf(secondSlide(preview)), MissingHalf + Open + "明");

    const auto original = reopen(source);
    Presentation &sourceShown = *original->presentation;
    EXPECT_EQ(textOf(textBox(sourceShown)), "明\r明見");
    EXPECT_EQ(textOf(grouped(sourceShown)), Girl) << "a glyph of a set has no source text";
    EXPECT_EQ(textOf(nestedGroup(sourceShown)), Girl + "乙明")
        << "明 two characters further on than in the copy";
    EXPECT_EQ(textOf(tableCell(sourceShown, 1, 2)), "魚" + Above + "羊");
    EXPECT_EQ(textOf(tableCell(sourceShown, 2, 1)), MissingBracket + "明")
        << "the formula inside the longer one stays";
    EXPECT_EQ(textOf(secondSlide(sourceShown)), MissingHalf + Open + "明");

    EXPECT_EQ(picker.asked, 1);
    QStringList logged = loggedFormulas();
    logged.sort();
    EXPECT_EQ(logged, (QStringList{MissingHalf, MissingBracket}));
    EXPECT_EQ(powerPoint.activePresentation()->fullName(), copy);
    EXPECT_EQ(powerPoint.presentations().count(), 2);
    EXPECT_EQ(powerPoint.cursor(), office::HostApplication::Cursor::Normal);
}

TEST_F(PowerPointConversionTest, LibreOfficeShowsTheCopysGlyphsAndTheirTypefaces)
{
    ASSERT_TRUE(convert().ok());
    auto flat = testsupport::convertWithLibreOffice(copy, QStringLiteral("fodp"));
    ASSERT_TRUE(flat.ok());
    const QString document = QString::fromUtf8(flat->document);
    for (const QString &expected : {u"\uE010"_qs, u"\uE002"_qs, u"乙明"_qs, u"明見"_qs})
        EXPECT_TRUE(document.contains(expected)) << expected.toStdString();
    EXPECT_TRUE(document.contains(EudcFaceName(groupFace, 3)));
}

TEST_F(PowerPointConversionTest, ARunAgainReplacesTheOpenCopy)
{
    ASSERT_TRUE(convert().ok());
    ASSERT_TRUE(powerPoint.presentations().open(source).ok());
    ASSERT_TRUE(convert().ok());
    int copies = 0;
    for (int index = 1; index <= powerPoint.presentations().count(); ++index)
        copies += powerPoint.presentations().item(index)->fullName() == copy;
    EXPECT_EQ(copies, 1);
    EXPECT_EQ(textOf(nestedGroup(*reopen(copy)->presentation)), "\uE010乙明");
}

TEST(InsertOperatorPowerPoint, TypesTheSymbolAtTheCaretAndMovesPastItOnlyInText)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("plan.pptx"));
    ASSERT_TRUE(writeSamplePresentation(path));
    PptxApplication powerPoint;
    auto opened = powerPoint.presentations().open(path);
    ASSERT_TRUE(opened.ok());
    TextFrame *frame = grouped(*opened.value());

    powerPoint.window().textSelection().selectText(frame, 2, 0);
    ASSERT_TRUE(InsertOperator(powerPoint, 1).ok());
    ASSERT_TRUE(InsertOperator(powerPoint, 9).ok());
    EXPECT_EQ(textOf(frame), "群\uF6A4\uF6AB一");

    powerPoint.window().textSelection().selectShape();
    ASSERT_TRUE(InsertOperator(powerPoint, 2).ok());
    EXPECT_EQ(textOf(frame), "群\uF6A4\uF6AB一") << "a selected shape takes no symbol";
}

} // namespace

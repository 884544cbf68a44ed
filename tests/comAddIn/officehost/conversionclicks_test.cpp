// The Tools items and operator buttons of porvex in the spreadsheet, presentation and
// web-page hosts, clicked in the host window as the user (or `officehost --click`) does,
// with the real add-in library and the lookup fixture as the installed program's database.
#include "platform/office/powerpoint/pptxapplication.h"
#include "tests/comAddIn/officehost/conversionclicks.h"
#include "tests/platform/office/powerpoint/samplepresentation.h"

#include <QFile>

using officehost::HostProgram;
using officehost::HostWindow;

namespace
{

TEST_F(ConversionClickTest, ExcelWritesThePreviewCopyAndTypesOperatorsIntoTheActiveCell)
{
    const QString source = path(u"plan.xlsx"_qs);
    ASSERT_TRUE(writeEditedWorkbook(source, [](office::excel::Workbook &book) {
        return book.worksheet(u"說文"_qs)->range(u"A1"_qs)->characters()->insert("見" + Bright);
    }));
    HostProgram program;
    ASSERT_TRUE(program.openDocument(source).ok());
    HostWindow &window = *program.windows().first();
    clickAtCaret(window, u"重複"_qs, 0, u"qelOperatorV"_qs);
    ASSERT_TRUE(window.clickTag(u"qelToolExpToGlyph"_qs).ok());
    ASSERT_TRUE(window.save().ok());

    const QString copy = path(u"plan☆.xlsx"_qs);
    const QString csv = libreOfficeText(copy, u"csv:Text - txt - csv (StarCalc):44,34,76"_qs);
    EXPECT_TRUE(csv.startsWith(u"見明,"_qs)) << csv.toStdString();
    EXPECT_TRUE(csv.contains(u"\uF6A3"_qs)) << "the operator typed before the conversion";
    EXPECT_TRUE(libreOfficeText(source, u"csv:Text - txt - csv (StarCalc):44,34,76"_qs)
                    .startsWith(u"見明,"_qs));
}

TEST_F(ConversionClickTest, PowerPointWritesThePreviewCopyAndTypesOperatorsAtTheCaret)
{
    const QString source = path(u"plan.pptx"_qs);
    ASSERT_TRUE(writeSamplePresentation(source));
    {
        office::powerpoint::PptxApplication powerPoint;
        auto shown = powerPoint.presentations().open(source);
        ASSERT_TRUE(shown.ok());
        shown.value()
            ->slide(1)
            ->shape(2)
            ->groupItem(2)
            ->groupItem(1)
            ->textFrame()
            ->textRange()
            ->setText("群" + Bright);
        ASSERT_TRUE(shown.value()->save().ok());
    }
    HostProgram program;
    ASSERT_TRUE(program.openDocument(source).ok());
    HostWindow &window = *program.windows().first();
    clickAtCaret(window, u"群一"_qs, 1, u"qelOperatorH"_qs);
    clickAtCaret(window, "群" + Beside + "一", 2, u"qelOperatorV"_qs);
    EXPECT_GE(segmentHolding(window, "群" + Beside + "\uF6A3一"), 0)
        << "the caret moved past the first symbol";
    ASSERT_TRUE(window.clickTag(u"qelToolExpToGlyph"_qs).ok());
    ASSERT_TRUE(window.save().ok());

    const QString flat = libreOfficeText(path(u"plan☆.pptx"_qs), u"fodp"_qs);
    EXPECT_TRUE(flat.contains(u"群明"_qs));
    EXPECT_TRUE(flat.contains("群" + Beside + "\uF6A3一"));
    EXPECT_TRUE(libreOfficeText(source, u"fodp"_qs).contains(u"群明"_qs));
}

TEST_F(ConversionClickTest, FrontPageConvertsThePageAndItsPicturesAndTypesAtTheCaret)
{
    const QString page = path(u"page.html"_qs);
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write((u"<html><head><meta charset=\"utf-8\"></head><body><p>甲"_qs + Bright +
                u"乙</p><p>圖<img src=\"a.bmp\" alt=\"●＝女\uF6A3子\">與"
                u"<img src=\"logo.png\" alt=\"logo\"></p></body></html>"_qs)
                   .toUtf8());
    file.close();

    HostProgram program;
    ASSERT_TRUE(program.openDocument(page).ok());
    HostWindow &window = *program.windows().first();
    ASSERT_TRUE(window.clickTag(u"qelToolExpToImg"_qs).ok());
    ASSERT_TRUE(window.clickTag(u"qelToolImgToExp"_qs).ok());
    clickAtCaret(window, u"甲明乙"_qs, 1, u"qelOperatorS"_qs);
    ASSERT_TRUE(window.save().ok());

    const QString text = libreOfficeText(page, u"txt:Text (encoded):UTF8"_qs);
    EXPECT_TRUE(text.contains(u"甲\uF6AE明乙"_qs)) << text.toStdString();
    EXPECT_TRUE(text.contains(u"圖女\uF6A3子與"_qs));
    const QString html = libreOfficeText(page, u"html:HTML (StarWriter)"_qs);
    EXPECT_TRUE(html.contains(u"alt=\"logo\""_qs)) << "an image that is not ours stays";
    EXPECT_FALSE(html.contains(u"a.bmp"_qs));
}

} // namespace

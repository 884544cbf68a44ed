#include "comAddIn/porvex/frontpage/frontpageconversion.h"
#include "comAddIn/porvex/frontpage/picturenames.h"
#include "comAddIn/porvex/glyphrenderer.h"
#include "comAddIn/porvex/operatorsymbols.h"
#include "conversiontesting.h"
#include "platform/office/page/pageapplication.h"
#include "tests/support/libreoffice.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QUrl>

using namespace porvex;
using namespace office::page;
using namespace formulas;

namespace
{

const QString User = QStringLiteral("\uE001"); // a character of a user-defined set

// The images of an HTML file as Python's own parser reads them: {src, alt} each.
QList<QPair<QString, QString>> imagesOf(const QString &path)
{
    static const char *script = R"(
import html.parser, json, sys
class Images(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.images = []
    def handle_starttag(self, tag, attrs):
        if tag == 'img':
            found = dict(attrs)
            self.images.append([found.get('src'), found.get('alt')])
parser = Images()
parser.feed(open(sys.argv[1], encoding='utf-8').read())
parser.close()
print(json.dumps(parser.images))
)";
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, path});
    EXPECT_TRUE(python.waitForFinished(30000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    QList<QPair<QString, QString>> images;
    for (const QJsonValue image : QJsonDocument::fromJson(python.readAllStandardOutput()).array())
        images.append({image[0].toString(), image[1].toString()});
    return images;
}

// A page with formulas in a paragraph (one across a bold run), a lone user-defined
// character and a bracketed formula that no record holds in table cells, two images that
// are not glyph pictures and one marked with the narrow "=".
const QString Page = u"<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>構字</title>"
                     u"</head>\n<body>\n<p>段落%1與<b>魚%2</b>羊。</p>\n"
                     u"<table border=\"1\"><tr><td><font face=\"標楷體外字集二\">甲%3乙</font></td>"
                     u"<td>%4</td></tr></table>\n"
                     u"<p>圖<img src=\"logo.png\" alt=\"logo\">與<img src=\"x.png\" alt=\"●不是\">"
                     u"<img src=\"n.png\" alt=\"●=%5\"></p>\n</body></html>\n"_qs.arg(
                         Bright, Around, User, MissingBracket, Girl);

class FrontPageConversionTest : public ConversionTest
{
protected:
    FrontPageConversionTest() : ConversionTest(1) {}

    void SetUp() override
    {
        // The fixture's glyph \uE002 of set 2 is drawn from the set-2 face of the program
        // folder: there, a face file that has it.
        const QString built = QStringLiteral(MURVEL_PROGRAM_DIR "/");
        ASSERT_TRUE(QFile::copy(built + u"細明體外字集三.ttf"_qs,
                                fonts.filePath(u"細明體外字集二.ttf"_qs)));
        ASSERT_TRUE(QFile::copy(built + u"標楷體外字集二.ttf"_qs,
                                fonts.filePath(u"標楷體外字集二.ttf"_qs)));
        renderer = std::make_unique<GlyphRenderer>(fonts.path());
        path = documents.filePath(QStringLiteral("page.html"));
        openPage(Page);
    }

    // Writes the page's file and opens it in the editor.
    void openPage(const QString &html)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(html.toUtf8());
        file.close();
        auto opened = HtmlPage::open(path);
        ASSERT_TRUE(opened.ok()) << opened.errorString().toStdString();
        frontPage.setPage(std::move(opened).value());
    }

    platform::Result<bool> convert()
    {
        return FrontPageConversion(frontPage, context, *renderer, names).ConvertPageToPictures();
    }

    QString bodyText() { return frontPage.page()->body()->createTextRange()->text(); }

    QString pictureFolder() const { return documents.filePath(QStringLiteral("page_files")); }

    // The file an image's link names, read as a browser resolves it against the page.
    QString linkedFile(const QString &link) const
    {
        return QUrl::fromLocalFile(path).resolved(QUrl(link)).toLocalFile();
    }

    HtmlPageApplication frontPage;
    QTemporaryDir fonts;
    std::unique_ptr<GlyphRenderer> renderer;
    PictureNames names;
    QString path;
};

TEST_F(FrontPageConversionTest, FormulasBecomePicturesOrTextAndComeBackFromTheirPictures)
{
    const platform::Result<bool> run = convert();
    ASSERT_TRUE(run.ok()) << run.errorString().toStdString();
    ASSERT_TRUE(frontPage.page()->save().ok());

    const QList<QPair<QString, QString>> images = imagesOf(path);
    ASSERT_EQ(images.size(), 5);
    EXPECT_EQ(images[0].second, "●＝魚" + Above + "羊") << "the pick's formula";
    EXPECT_EQ(images[1].second, "●＝" + User);
    EXPECT_EQ(images[2], qMakePair(u"logo.png"_qs, u"logo"_qs));
    EXPECT_EQ(images[3], qMakePair(u"x.png"_qs, u"●不是"_qs));
    EXPECT_EQ(images[4], qMakePair(u"n.png"_qs, "●=" + Girl));
    for (int ours : {0, 1}) {
        const QString link = images[ours].first;
        EXPECT_TRUE(QUrl(link).isRelative()) << link.toStdString();
        const QImage picture(linkedFile(link));
        EXPECT_FALSE(picture.isNull()) << link.toStdString();
        EXPECT_EQ(QFileInfo(linkedFile(link)).absolutePath(), pictureFolder());
    }
    EXPECT_FALSE(QFileInfo::exists(QDir(windows.path()).filePath(u"Temp"_qs)))
        << "nothing is written outside the page's folder";
    const QString text = bodyText();
    EXPECT_TRUE(text.startsWith(u"段落明與\uFFFC。\n甲\uFFFC乙\n"_qs)) << text.toStdString();
    EXPECT_TRUE(text.contains(MissingBracket)) << "a formula no record holds stays";
    EXPECT_EQ(loggedFormulas(), QStringList{MissingBracket});
    EXPECT_EQ(picker.lastFormula, Fish);
    EXPECT_EQ(frontPage.cursor(), office::HostApplication::Cursor::Normal);

    // Back: our pictures give their formulas, the other images stay.
    ASSERT_TRUE(ConvertPagePicturesToFormulas(frontPage).ok());
    const QString back = bodyText();
    EXPECT_TRUE(back.startsWith("段落明與魚" + Above + "羊。\n甲" + User + "乙\n"));
    EXPECT_TRUE(back.endsWith("\uFFFC" + Girl + "\n")) << back.toStdString();
    ASSERT_TRUE(frontPage.page()->save().ok());
    EXPECT_EQ(imagesOf(path), (QList<QPair<QString, QString>>{{u"logo.png"_qs, u"logo"_qs},
                                                              {u"x.png"_qs, u"●不是"_qs}}));
}

TEST_F(FrontPageConversionTest, AFormulaEndsWithItsParagraphCellOrLineAndTakesNoPicture)
{
    // The chooser picks the root 月 for 月 after a joining operator: were the text before
    // the operator taken in, the pick would take its place and join what it divides, or
    // replace the picture.
    picker = ScriptedPicker(0);
    openPage(u"<html><body><p>日</p><p>%1月 end</p>"
             u"<table><tr><td>日</td><td>%1月</td></tr></table>"
             u"<p>X日<br>%1月 Y</p><h1>%2日</h1><ul><li>月%3</li></ul>"
             u"<p>圖<img src=\"logo.png\" alt=\"logo\">%1月</p></body></html>"_qs.arg(Beside, Open,
                                                                                      Close));
    ASSERT_TRUE(convert().ok());
    const QString converted =
        "日\n月 end\n日\n月\nX日\n月 Y\n" + Open + "日\n月" + Close + "\n圖\uFFFC月\n";
    EXPECT_EQ(bodyText(), converted);
    EXPECT_EQ(picker.asked, 4);

    ASSERT_TRUE(frontPage.page()->save().ok());
    auto saved = HtmlPage::open(path);
    ASSERT_TRUE(saved.ok()) << saved.errorString().toStdString();
    EXPECT_EQ(saved.value()->body()->createTextRange()->text(), converted);
}

TEST_F(FrontPageConversionTest, LibreOfficeAndXmllintReadTheConvertedPage)
{
    // LibreOffice 7.4 leaves the pictures of a page's first paragraph out of a PDF made
    // headless, wherever they are: a paragraph comes first.
    openPage(QString(Page).replace(u"<body>\n"_qs, u"<body>\n<p>頁首</p>\n"_qs));
    ASSERT_TRUE(convert().ok());
    ASSERT_TRUE(frontPage.page()->save().ok());

    QProcess xmllint;
    xmllint.start(QStringLiteral("xmllint"), {QStringLiteral("--html"), QStringLiteral("--noout"),
                                              QStringLiteral("--nowarning"), path});
    ASSERT_TRUE(xmllint.waitForFinished(30000));
    EXPECT_EQ(xmllint.readAllStandardError(), QByteArray()) << "no parse error";

    const auto html =
        testsupport::convertWithLibreOffice(path, QStringLiteral("html:HTML (StarWriter)"));
    ASSERT_TRUE(html.ok()) << html.errorString().toStdString();
    const QString written = QString::fromUtf8(html->document);
    EXPECT_TRUE(written.contains(u"alt=\"●＝魚"_qs + Above + u"羊\""_qs)) << written.toStdString();
    EXPECT_TRUE(written.contains(u"alt=\"●＝"_qs + User + u"\""_qs));
    EXPECT_TRUE(written.contains(u"段落明與"_qs));

    // The pictures show: LibreOffice finds them beside the page and draws them into a PDF.
    const auto pdf = testsupport::convertWithLibreOffice(path, QStringLiteral("pdf"));
    ASSERT_TRUE(pdf.ok()) << pdf.errorString().toStdString();
    EXPECT_EQ(pdf->document.count("/Subtype/Image"), 2);
}

TEST_F(FrontPageConversionTest, PicturesNeverOverwriteFilesOrFollowLinksInThePagesFolder)
{
    ASSERT_TRUE(QDir().mkpath(pictureFolder()));
    QFile earlier(QDir(pictureFolder()).filePath(QStringLiteral("~cp1.bmp")));
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("an earlier page's picture");
    earlier.close();
    // A link to nowhere: writing through it would make a file outside the folder.
    const QString outside = windows.filePath(QStringLiteral("outside.bmp"));
    ASSERT_TRUE(QFile::link(outside, QDir(pictureFolder()).filePath(QStringLiteral("~cp2.bmp"))));

    ASSERT_TRUE(convert().ok());
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), "an earlier page's picture");
    EXPECT_FALSE(QFileInfo::exists(outside));
    const QStringList pictures = QDir(pictureFolder()).entryList({u"~cp*.bmp"_qs}, QDir::Files);
    EXPECT_EQ(pictures, (QStringList{u"~cp1.bmp"_qs, u"~cp3.bmp"_qs, u"~cp4.bmp"_qs}));
}

TEST_F(FrontPageConversionTest, ARunThatCannotGoOnGivesBackThePointerAndLeavesThePage)
{
    const QString before = bodyText();
    context.programFolder.clear(); // the main program is not installed
    ASSERT_TRUE(convert().ok());
    EXPECT_EQ(bodyText(), before);
    context.programFolder = QStringLiteral(MURVEL_FIXTURE_DIR "/lookup/");

    // Something of the picture folder's name that is no folder of the page's: a file, and a
    // link to a folder elsewhere, which must stay empty.
    QTemporaryDir elsewhere;
    const std::function<bool()> blockers[] = {
        [&] {
            QFile file(pictureFolder());
            return file.open(QIODevice::WriteOnly);
        },
        [&] { return QFile::link(elsewhere.path(), pictureFolder()); },
    };
    for (const auto &block : blockers) {
        ASSERT_TRUE(block());
        const platform::Result<bool> run = convert();
        ASSERT_FALSE(run.ok());
        EXPECT_TRUE(run.errorString().contains(pictureFolder())) << run.errorString().toStdString();
        EXPECT_EQ(bodyText(), before);
        EXPECT_EQ(frontPage.cursor(), office::HostApplication::Cursor::Normal);
        EXPECT_TRUE(QDir(elsewhere.path()).isEmpty());
        ASSERT_TRUE(QFile::remove(pictureFolder()));
    }
}

TEST(PictureElement, LinksThePictureBesideThePageForARealParser)
{
    QTemporaryDir folder;
    const QString formula = u"<b>\"x\" & '日'"_qs;
    // Each suffix of a page, and names a URL path must encode (a colon would read as a
    // scheme, "#" and "?" would end the path, "%" would start an escape).
    const struct {
        const char16_t *page;
        const char16_t *pictures;
    } pages[] = {
        {u"page.html", u"page_files"},
        {u"page.htm", u"page_files"},
        {u"PAGE.HTM", u"PAGE_files"},
        {u"a.b.html", u"a.b_files"},
        {u"說 \"b\" <c>&#?%:d.htm", u"說 \"b\" <c>&#?%:d_files"},
        {u"c:page.html", u"c:page_files"},
    };
    for (const auto &row : pages) {
        const QString pagePath = folder.filePath(QString::fromUtf16(row.page));
        const QString pictures = folder.filePath(QString::fromUtf16(row.pictures));
        EXPECT_EQ(PictureFolderOf(pagePath), pictures);
        const QString file = QDir(pictures).filePath(u"~cp1.bmp"_qs);
        QFile out(pagePath);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(("<p>" + PictureElement(PictureLink(file), 12, 14, formula) + "</p>").toUtf8());
        out.close();
        const QList<QPair<QString, QString>> images = imagesOf(pagePath);
        ASSERT_EQ(images.size(), 1);
        EXPECT_TRUE(QUrl(images[0].first).isRelative()) << images[0].first.toStdString();
        EXPECT_EQ(QUrl::fromLocalFile(pagePath).resolved(QUrl(images[0].first)).toLocalFile(),
                  file);
        EXPECT_EQ(images[0].second, "●＝" + formula);
    }
}

TEST(InsertOperatorFrontPage, TypesTheSymbolOverTheSelectionAndLeavesTheCaretAfterIt)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("page.html"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html><body><p>日月</p></body></html>");
    file.close();
    HtmlPageApplication frontPage(HtmlPage::open(path).value());
    std::unique_ptr<TextRange> between = frontPage.page()->body()->createTextRange();
    between->collapse(true);
    between->move(1);
    between->select();
    ASSERT_TRUE(InsertOperator(frontPage, 1).ok());
    ASSERT_TRUE(InsertOperator(frontPage, 2).ok());
    EXPECT_EQ(frontPage.page()->body()->createTextRange()->text(), "日\uF6A4\uF6A3月\n");
}

} // namespace

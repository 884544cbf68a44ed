#include "platform/codepage/cp950.h"
#include "platform/office/page/htmlpage.h"
#include "testpages.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace office::page;
using namespace office::page::testing;

namespace
{

// 𠀀 (U+20000) is outside code page 950.
const QString kOutsideBig5 = QString::fromUcs4(U"\U00020000");

TEST(HtmlPageFile, SaveWithoutChangesWritesTheBytesThatWereRead)
{
    PageFolder folder;
    const QByteArray bytes = samplePage().toUtf8().replace("\n", "\r\n");
    const QString path = folder.write("page.html", bytes);
    auto page = openPage(path);
    EXPECT_FALSE(page->isModified());
    ASSERT_TRUE(page->save().ok());
    EXPECT_EQ(folder.read(path), bytes);
}

TEST(HtmlPageFile, AnEditChangesOnlyWhatItChanges)
{
    PageFolder folder;
    QString source = samplePage() + QStringLiteral("<script>if (a < b && c) x = \"<p>\";</script>");
    source.replace(QStringLiteral("<body"), QStringLiteral("<body lang=ZH-TW"))
        .replace(QStringLiteral("</title>"),
                 QStringLiteral("</title><style>p { color: red }</style>"))
        .replace(QStringLiteral("丙"), QStringLiteral("丙<o:p></o:p>&nbsp;&amp;"));
    const QString path = folder.write("office.html", source.toUtf8());
    auto page = openPage(path);
    const QString before = page->html();
    EXPECT_TRUE(before.contains(QStringLiteral("<o:p></o:p>"))); // the prefix stays
    EXPECT_TRUE(before.contains(QStringLiteral("<!-- 測試頁 -->")));
    EXPECT_TRUE(before.startsWith(
        QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">")));

    auto range = page->body()->createTextRange();
    ASSERT_TRUE(range->findText(QStringLiteral("乙")));
    range->setText(QStringLiteral("丁"));
    ASSERT_TRUE(page->save().ok());

    auto reopened = openPage(path);
    QString expected = before;
    expected.replace(QStringLiteral("目乙</p>"), QStringLiteral("目丁</p>"));
    EXPECT_EQ(reopened->html(), expected);
    EXPECT_TRUE(expected.contains(QStringLiteral("<script>if (a < b && c) x = \"<p>\";</script>")));
    EXPECT_TRUE(expected.contains(QStringLiteral("丙<o:p></o:p>&nbsp;&amp;")));
}

TEST(HtmlPageFile, TextLeftBeforeTheBodyIsTheBodysTextBeforeAndAfterASave)
{
    // The "<" of a broken tag is kept as text ahead of the body, where a page written back
    // puts it in the body.
    PageFolder folder;
    const QString path =
        folder.write("stray.html",
                     "<html><;head><meta charset=\"utf-8\"></head><body><p>甲乙</p></body></html>");
    auto page = openPage(path);
    const QString before = page->body()->createTextRange()->text();
    EXPECT_TRUE(before.startsWith(QStringLiteral("<"))) << before.toStdString();
    auto range = page->body()->createTextRange();
    ASSERT_TRUE(range->findText(QStringLiteral("乙")));
    range->setText(QStringLiteral("丁"));
    const QString edited = page->body()->createTextRange()->text();
    ASSERT_TRUE(page->save().ok());
    EXPECT_EQ(openPage(path)->body()->createTextRange()->text(), edited);

    // Text left in the head goes the same way.
    const QString inHead = folder.write(
        "head.html", "<html><head><meta charset=\"utf-8\"></x<><<<body>甲</body></html>");
    EXPECT_EQ(openPage(inHead)->body()->createTextRange()->text(), QStringLiteral("<<甲"));

    // A body that the parser left inside another element is the page's body.
    const QString nested = folder.write(
        "nested.html", "<html><head><x><html><body><p>甲乙</p></body></html></x></head></html>");
    auto inside = openPage(nested);
    EXPECT_EQ(inside->body()->createTextRange()->text(), QStringLiteral("甲乙\n"));
    inside->body()->createTextRange()->setText(QStringLiteral("字"));
    ASSERT_TRUE(inside->save().ok());
    // Written back, the text stands in the body, in a paragraph of its own.
    EXPECT_EQ(openPage(nested)->body()->createTextRange()->text(), QStringLiteral("字\n"));

    // A page without a body: the body made for it holds the text.
    const QString bare = folder.write("bare.html", "<html><<");
    auto bodiless = openPage(bare);
    EXPECT_EQ(bodiless->body()->createTextRange()->text(), QStringLiteral("<<"));
    bodiless->body()->createTextRange()->setText(QStringLiteral("字"));
    ASSERT_TRUE(bodiless->save().ok());
    EXPECT_EQ(openPage(bare)->body()->createTextRange()->text(), QStringLiteral("字"));
}

TEST(HtmlPageFile, Big5PagesStayBig5WithTheirUserDefinedCharacters)
{
    PageFolder folder;
    const QByteArray bytes = codepage::toCp950(samplePage(QStringLiteral("big5")));
    ASSERT_TRUE(bytes.contains(QByteArray("\x8D\xF2", 2))); // U+F6A4 in the EUDC area
    const QString path = folder.write("big5.html", bytes);

    auto page = openPage(path);
    EXPECT_EQ(page->encodingName(), QStringLiteral("big5"));
    EXPECT_EQ(page->body()->createTextRange()->text(), kSampleText);

    auto range = page->body()->createTextRange();
    ASSERT_TRUE(range->findText(QStringLiteral("丙")));
    range->setText(QStringLiteral("丙") + kOutsideBig5 + kOpen);
    ASSERT_TRUE(page->save().ok());

    const QByteArray saved = folder.read(path);
    EXPECT_TRUE(codepage::isValidUtf8(bytes) == false && codepage::isValidUtf8(saved) == false);
    EXPECT_TRUE(saved.contains("charset=big5"));
    EXPECT_TRUE(saved.contains(codepage::toCp950(QStringLiteral("丙")) + "&#131072;" +
                               QByteArray("\x8D\xFC", 2)));
    auto reopened = openPage(path);
    EXPECT_EQ(reopened->body()->createTextRange()->text(),
              QString(kSampleText)
                  .replace(QStringLiteral("丙"), QStringLiteral("丙") + kOutsideBig5 + kOpen));
}

TEST(HtmlPageFile, EncodingIsFoundWithoutADeclaration)
{
    PageFolder folder;
    const QString plain = QStringLiteral("<html><body><p>木%1目</p></body></html>").arg(kH);

    const QString utf8WithMark = folder.write("mark.html", "\xEF\xBB\xBF" + plain.toUtf8());
    auto marked = openPage(utf8WithMark);
    EXPECT_EQ(marked->body()->createTextRange()->text(), kFormula + QStringLiteral("\n"));
    marked->body()->createTextRange()->setText(QStringLiteral("甲"));
    ASSERT_TRUE(marked->save().ok());
    EXPECT_TRUE(folder.read(utf8WithMark).startsWith("\xEF\xBB\xBF<html>"));

    // Bytes that are not UTF-8 are the system's code page, as old pages were written.
    auto big5 = openPage(folder.write("old.html", codepage::toCp950(plain)));
    EXPECT_EQ(big5->encodingName(), QStringLiteral("big5"));
    EXPECT_EQ(big5->body()->createTextRange()->text(), kFormula + QStringLiteral("\n"));

    // "charset=" inside another attribute's value declares nothing; the next <meta> does.
    auto hidden = openPage(folder.write(
        "hidden.html", "<html><head><meta name=\"x\" title=\"a charset=x-no-such\" "
                       "data-x=\"<meta charset=x-no-such>\"><meta charset=\"utf-8\"></head>"
                       "<body>甲</body></html>"));
    EXPECT_EQ(hidden->encodingName(), QStringLiteral("utf-8"));
}

TEST(HtmlPageFile, AnEditThatTakesTheDeclaringMetaKeepsThePageReadable)
{
    PageFolder folder;
    const QString path = folder.write(
        "meta.html", codepage::toCp950(u"<html><body><p>甲<meta charset=\"big5\">乙</p>"
                                       u"<meta charset=\"x-no-such\"></body></html>"_qs));
    auto page = openPage(path);
    ASSERT_EQ(page->encodingName(), QStringLiteral("big5"));
    auto range = page->body()->createTextRange();
    ASSERT_TRUE(range->findText(QStringLiteral("甲乙")));
    range->setText(QStringLiteral("字"));
    ASSERT_TRUE(page->save().ok());
    auto reopened = openPage(path);
    EXPECT_EQ(reopened->encodingName(), QStringLiteral("big5"));
    EXPECT_EQ(reopened->body()->createTextRange()->text(), QStringLiteral("字\n"));
}

TEST(HtmlPageFile, OtherEncodingsAreKeptAndWhatTheyLackBecomesReferences)
{
    PageFolder folder;
    const QString latin = folder.write(
        "latin.html",
        "<html><head><meta charset=\"windows-1252\"></head><body>caf\xE9 \x80</body></html>");
    auto page = openPage(latin);
    auto range = page->body()->createTextRange();
    EXPECT_EQ(range->text(), QStringLiteral("café €"));
    range->collapse(false);
    range->setText(QStringLiteral(" 木"));
    ASSERT_TRUE(page->save().ok());
    EXPECT_EQ(folder.read(latin), "<html><head><meta charset=\"windows-1252\"></head><body>caf\xE9 "
                                  "\x80 &#26408;</body></html>\n");

    QByteArray utf16("\xFF\xFE");
    const QString text = QStringLiteral("<html><body><p>木%1目</p></body></html>").arg(kH);
    utf16.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    const QString wide = folder.write("wide.html", utf16);
    auto widePage = openPage(wide);
    widePage->body()->createTextRange()->setText(kOpen);
    ASSERT_TRUE(widePage->save().ok());
    EXPECT_TRUE(folder.read(wide).startsWith("\xFF\xFE<\0h\0"));
    EXPECT_EQ(openPage(wide)->body()->createTextRange()->text(), kOpen + QStringLiteral("\n"));
}

TEST(HtmlPageFile, BadFilesAreRefusedAndLeftAsTheyWere)
{
    PageFolder folder;
    const QByteArray huge =
        "<html><body><p>" + QByteArray(17 * 1024 * 1024, 'a') + "</p></body></html>";
    const struct {
        const char *name;
        QByteArray bytes;
        const char *message;
    } cases[] = {
        {"binary.html", QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR<html>", 22), "不是 HTML 網頁"},
        {"text.html", QStringLiteral("只是一行文字 a < b").toUtf8(), "不是 HTML 網頁"},
        {"cut.html", QByteArray("<html><body><p>甲</p><img src=\"a.png\" al"), "不完整"},
        {"comment.html", QByteArray("<html><body><p>甲</p><!-- 未完"), "不完整"},
        {"cutbig5.html",
         "<html><head><meta charset=\"big5\"></head><body>" + codepage::toCp950(u"甲").left(1),
         "不是有效的 big5"},
        {"badutf8.html", QByteArray("<html><head><meta charset=utf-8></head><body>\xE7\x94</body>"),
         "不是有效的 utf-8"},
        {"unknown.html", QByteArray("<html><head><meta charset=\"x-no-such\"></head></html>"),
         "無法轉換的字元編碼"},
        {"huge.html", huge, "太大"},
    };
    for (const auto &bad : cases) {
        SCOPED_TRACE(bad.name);
        const QString path = folder.write(bad.name, bad.bytes);
        const auto opened = HtmlPage::open(path);
        ASSERT_FALSE(opened.ok());
        EXPECT_TRUE(opened.errorString().contains(QString::fromUtf8(bad.message)))
            << opened.errorString().toStdString();
        EXPECT_TRUE(opened.errorString().contains(QString::fromLatin1(bad.name)));
        EXPECT_EQ(folder.read(path), bad.bytes);
    }
    const auto missing = HtmlPage::open(folder.path("none.html"));
    ASSERT_FALSE(missing.ok());
    EXPECT_TRUE(missing.errorString().contains(QStringLiteral("找不到")));
}

TEST(HtmlPageFile, AFailedSaveReportsAndKeepsThePageAndTheTarget)
{
    PageFolder folder;
    const QString path = folder.write("page.html", samplePage().toUtf8());
    auto page = openPage(path);
    page->body()->createTextRange()->setText(QStringLiteral("新"));

    const auto failed = page->saveAs(folder.path("no-such-folder/page.html"));
    ASSERT_FALSE(failed.ok());
    EXPECT_TRUE(failed.errorString().contains(QStringLiteral("無法儲存網頁")));
    EXPECT_TRUE(page->isModified());
    EXPECT_EQ(page->path(), path);
    EXPECT_EQ(folder.read(path), samplePage().toUtf8());

    ASSERT_TRUE(page->saveAs(folder.path("copy.html")).ok());
    EXPECT_FALSE(page->isModified());
    // The new text took the place and paragraph of the first character.
    EXPECT_EQ(openPage(folder.path("copy.html"))->body()->createTextRange()->text(),
              QStringLiteral("新\n"));
    EXPECT_EQ(QFileInfo(folder.path("copy.html")).dir().entryList(QDir::Files).size(), 2);
}

} // namespace

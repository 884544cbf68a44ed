// Pages that libxml2 alone would read in part or change: deep nesting, script and style,
// Office's conditional markup, a doctype with an internal subset, a very long text, and many
// edits through a long one.
#include "platform/office/page/htmlparse.h"
#include "testpages.h"

#include <gtest/gtest.h>

using namespace office::page;
using namespace office::page::testing;

namespace
{

// Replaces the first match of what in the page's text by text, saves and reopens.
std::unique_ptr<HtmlPage> replaceAndReopen(const QString &path, const QString &what,
                                           const QString &text)
{
    auto page = openPage(path);
    auto range = page->body()->createTextRange();
    EXPECT_TRUE(range->findText(what));
    range->setText(text);
    EXPECT_TRUE(page->save().ok());
    return openPage(path);
}

TEST(PageFidelity, PagesNestedDeeperThanTheParsersDefaultAreReadAndSavedWhole)
{
    PageFolder folder;
    // Old pages open a <font> on every line and never close it.
    QString fonts = QStringLiteral("<html><body>\n");
    for (int line = 0; line < 400; ++line)
        fonts += QStringLiteral("<font size=\"2\">line %1<br>\n").arg(line);
    const QString fontsPath = folder.write("fonts.html", fonts.toUtf8());
    const QString fontsText =
        replaceAndReopen(fontsPath, QStringLiteral("line 0"), QStringLiteral("甲"))
            ->body()
            ->createTextRange()
            ->text();
    EXPECT_TRUE(fontsText.startsWith(QStringLiteral("甲\n")));
    EXPECT_TRUE(fontsText.endsWith(QStringLiteral("line 399\n\n")))
        << fontsText.right(20).toStdString();

    QString divs = QStringLiteral("<html><body>");
    for (int level = 0; level < 300; ++level)
        divs += QStringLiteral("<div>%1 ").arg(level);
    const QString divsPath = folder.write("divs.html", divs.toUtf8());
    const QString divsText = replaceAndReopen(divsPath, QStringLiteral("0 "), QStringLiteral("甲"))
                                 ->body()
                                 ->createTextRange()
                                 ->text();
    EXPECT_TRUE(divsText.startsWith(QStringLiteral("甲1 2 ")));
    EXPECT_TRUE(divsText.endsWith(QStringLiteral("298 299 \n")))
        << divsText.right(20).toStdString();
}

TEST(PageFidelity, EditsAtTheDeepestNestingAllowedWorkAndBeyondItThePageIsRefused)
{
    PageFolder folder;
    // html and body are two levels of the nesting.
    const int divs = kMaxPageDepth - 2;
    const QString deep = QStringLiteral("<html><body>甲") + QStringLiteral("<div>").repeated(divs) +
                         QStringLiteral("乙</body></html>");
    const QString path = folder.write("deep.html", deep.toUtf8());
    auto page = openPage(path);
    ASSERT_EQ(page->body()->createTextRange()->text(), QStringLiteral("甲乙\n"));

    // A range from the top of the page to the bottom of the nesting.
    auto range = page->body()->createTextRange();
    const QString html = range->htmlText();
    EXPECT_EQ(html.count(QStringLiteral("<div>")), divs);
    range->pasteHTML(QStringLiteral("丙") + html.mid(html.indexOf(u'<')));
    EXPECT_EQ(page->body()->createTextRange()->text(), QStringLiteral("丙乙\n"));
    ASSERT_TRUE(page->save().ok());
    EXPECT_EQ(openPage(path)->body()->createTextRange()->text(), QStringLiteral("丙乙\n"));

    const QByteArray tooDeep =
        (QStringLiteral("<html><body>") + QStringLiteral("<div>").repeated(divs + 1)).toUtf8();
    const QString refusedPath = folder.write("tooDeep.html", tooDeep);
    const auto refused = HtmlPage::open(refusedPath);
    ASSERT_FALSE(refused.ok());
    EXPECT_TRUE(refused.errorString().contains(QStringLiteral("層次太深")));
    EXPECT_TRUE(refused.errorString().contains(QStringLiteral("tooDeep.html")));
    EXPECT_EQ(folder.read(refusedPath), tooDeep);
}

TEST(PageFidelity, MarkupTheEngineDoesNotEditIsWrittenBackAsItWas)
{
    // Written in the form the engine writes, so that the saved page equals it but for the
    // edit.
    const QString page = QStringLiteral(
        "<!DOCTYPE html [ <!ENTITY copy \"&#169;\"> ]>\n"
        "<html><head><style>/* </style-like> */ p { color: red }</style>"
        "<script>document.write(\"<b>hi</b>\"); var s = \"</p>\"; var t = \"<!--\";</script>"
        "<script type=\"text/x\">if (a<b && c>d) {}</script></head>"
        "<body><p class=\"MsoListParagraph\"><![if !supportLists]>1.<![endif]>甲</p>"
        "<!--[if gte mso 9]><xml><o:shapedefaults></o:shapedefaults></xml><![endif]-->"
        "<!--[if !mso]><!--><p>乙</p><!--<![endif]--><?xml version=\"1.0\"?><!-->"
        "<p>丙<![CDATA[ x ]]></p></body></html>\n");
    PageFolder folder;
    const QString path = folder.write("office.html", page.toUtf8());
    auto opened = openPage(path);
    EXPECT_EQ(opened->html(), page);
    EXPECT_EQ(opened->body()->createTextRange()->text(), QStringLiteral("1.甲\n乙\n丙\n"));

    auto reopened = replaceAndReopen(path, QStringLiteral("乙"), QStringLiteral("丁"));
    EXPECT_EQ(QString::fromUtf8(folder.read(path)),
              QString(page).replace(QStringLiteral("<p>乙</p>"), QStringLiteral("<p>丁</p>")));
    EXPECT_EQ(reopened->body()->createTextRange()->text(), QStringLiteral("1.甲\n丁\n丙\n"));

    // A comment opened in a script's string is no comment, and no sign of a file cut short.
    const QString script = QStringLiteral(
        "<html><head><script>var s = \"<!--\";</script></head><body><p>甲</p></body></html>\n");
    const QString scriptPath = folder.write("script.html", script.toUtf8());
    replaceAndReopen(scriptPath, QStringLiteral("甲"), QStringLiteral("乙"));
    EXPECT_EQ(QString::fromUtf8(folder.read(scriptPath)), QString(script).replace(u'甲', u'乙'));

    // A bracket in a doctype's public name opens no subset; a script closed in its start
    // tag holds nothing, as the parser reads it.
    const QString unusual = QStringLiteral("<!DOCTYPE html PUBLIC \"-//x[1]//EN\">\n<html><body>"
                                           "<script src=\"a.js\"/><p>甲</p></body></html>\n");
    auto unusualPage = openPage(folder.write("unusual.html", unusual.toUtf8()));
    EXPECT_EQ(unusualPage->body()->createTextRange()->text(), QStringLiteral("甲\n"));
    EXPECT_TRUE(
        unusualPage->html().startsWith(QStringLiteral("<!DOCTYPE html PUBLIC \"-//x[1]//EN\">\n")));
}

// References read as a browser reads them, in the text and in an attribute's value, and
// written back as they were when the page is saved after an edit elsewhere.
TEST(PageFidelity, CharacterReferencesAreReadAsABrowserDoesAndWrittenAsTheyWere)
{
    const struct {
        const char *written;
        const char16_t *inText;
        const char16_t *inAttribute;
    } references[] = {
        {"&amp", u"&", u"&"},
        {"&lt", u"<", u"<"},
        {"&copy", u"©", u"©"},
        {"&nbsp", u"\u00A0", u"\u00A0"},
        {"&AMP;", u"&", u"&"},
        {"&gt;", u">", u">"},
        {"&quot;", u"\"", u"\""},
        {"&notin;", u"∉", u"∉"},
        {"&copyright", u"©right", u"&copyright"}, // the longest name that may stand alone
        {"&copy=", u"©=", u"&copy="},
        {"&#0;", u"\uFFFD", u"\uFFFD"},
        {"&#xFFFFFFFF;", u"\uFFFD", u"\uFFFD"},
        {"&#xD800;", u"\uFFFD", u"\uFFFD"},
        {"&#x110000;", u"\uFFFD", u"\uFFFD"},
        {"&#x10FFFF;", u"\U0010FFFF", u"\U0010FFFF"},
        {"&#128;", u"€", u"€"},
        {"&#x41", u"A", u"A"},
        {"&", u"&", u"&"},
        {"&foo;", u"&foo;", u"&foo;"},
        {"&#x;", u"&#x;", u"&#x;"},
        {"> \"", u"> \"", u"> \""},
    };
    QByteArray page = "<html><body><p>乙</p>\n";
    QString text = QStringLiteral("乙\n");
    for (const auto &reference : references) {
        page += QByteArray("<p>x ") + reference.written + " y<img alt=\"" +
                QByteArray(reference.written).replace('"', "&quot;") + "\"></p>\n";
        text += "x " + QString::fromUtf16(reference.inText) + " y" + kImage + "\n";
    }
    page += "</body></html>\n";
    PageFolder folder;
    const QString path = folder.write("references.html", page);

    const auto reopened = replaceAndReopen(path, QStringLiteral("乙"), QStringLiteral("丁"));
    EXPECT_EQ(folder.read(path).toStdString(), QByteArray(page).replace("乙", "丁").toStdString());
    EXPECT_EQ(reopened->body()->createTextRange()->text(), QString(text).replace(u'乙', u'丁'));
    for (int row = 0; row < int(std::size(references)); ++row)
        EXPECT_EQ(reopened->images()->item(row)->alt(),
                  QString::fromUtf16(references[row].inAttribute))
            << references[row].written;
}

// Markup that looks like the engine's own or that a careless scanner misreads: each page is
// read as a browser reads it and, after an edit of 乙, written back as it was but for it.
TEST(PageFidelity, MarkupThatLooksLikeTheEnginesOwnIsReadAndWrittenAsItWas)
{
    const struct {
        const char *page;
        const char16_t *text;
    } pages[] = {
        // The placeholder text of verbatim markup, in text, a comment, a script and an
        // attribute's name.
        {"<p>verbatim0:0</p><!--verbatim0:1--><p>verbatim0:2 &amp;</p>"
         "<script>verbatim0:3</script><p verbatim0:tag=\"0\">x</p>",
         u"verbatim0:0\nverbatim0:2 &\nx\n"},
        // A quote inside an unquoted value opens nothing: the comment after it is one.
        {"<p title=a\"b>甲<!-- \" --></p>", u"甲\n"},
        {"<P ALIGN=center Class='x'>甲<B>b</B ></P>", u"甲b\n"},
        {"<!-- a --!><p>甲</p>", u"甲\n"},
        // A quote opens a value only after an attribute's name and "=", as libxml2 reads
        // a tag: not in the tag's name, not where no name stands, not in an end tag.
        {"<p><b=\">\"甲</b></p>", u"\"甲\n"},
        {"<p><b =\">\"甲</b></p>", u"\"甲\n"},
        {"<p><b c=d =\">\"甲</b></p>", u"\"甲\n"},
        {"<p><b c =\">\">甲</b></p>", u"甲\n"},
        {"<p><b>甲</b x=\">\">丙</p>", u"甲\">丙\n"},
        {"<p><"
         "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
         "aaaaaaaaaaab=\">\">"
         "甲</"
         "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
         "aaaaaaaaaaa></p>",
         u"甲\n"},
        {"<p>甲<b>丙</b=\">丙</p>", u"甲丙丙\n"},
        // "/>" closes an element for libxml2, which takes no end tag then.
        {"<p><b/>甲<span class=\"x\" />丙</p>", u"甲丙\n"},
        {"<script=\">x<b>y</b></script><p>甲</p>", u"甲\n"},
    };
    PageFolder folder;
    for (const auto &row : pages) {
        const QByteArray page = QByteArray("<html><body>") + row.page + "<p>乙</p></body></html>\n";
        const QString path = folder.write("unusual.html", page);
        const auto reopened = replaceAndReopen(path, QStringLiteral("乙"), QStringLiteral("丁"));
        EXPECT_EQ(folder.read(path), QByteArray(page).replace("乙", "丁")) << row.page;
        EXPECT_EQ(reopened->body()->createTextRange()->text(),
                  QString::fromUtf16(row.text) + QStringLiteral("丁\n"))
            << row.page;
    }
}

TEST(PageFidelity, ATextNodeLongerThanTheParsersDefaultLimitIsKeptWhole)
{
    // libxml2 stops a text node at 10,000,000 bytes unless told otherwise.
    const int length = 11 * 1000 * 1000;
    PageFolder folder;
    const QByteArray bytes = "<html><body><p>甲" + QByteArray(length, 'a') + "</p></body></html>\n";
    const QString path = folder.write("long.html", bytes);
    auto page = openPage(path);
    EXPECT_EQ(page->body()->createTextRange()->text().size(), length + 2);

    auto range = page->body()->createTextRange();
    range->moveEnd(-(length + 1));
    range->setText(QStringLiteral("乙"));
    ASSERT_TRUE(page->save().ok());
    EXPECT_EQ(folder.read(path).toStdString(), QByteArray(bytes).replace("甲", "乙").toStdString());
}

// A long text is edited in pieces: what the edits do not replace, entities, characters
// outside the BMP and runs of spaces included, is written back as it was.
TEST(PageFidelity, EditsThroughALongTextChangeOnlyWhatTheyReplace)
{
    PageFolder folder;
    const QByteArray text =
        QByteArray("說文 &amp; 解字 &lt;注&gt; \xF0\xA0\x80\x80 曰     甲之\n").repeated(600);
    const QByteArray bytes = "<html><body><p>" + text + "</p>\n<p>end</p></body></html>\n";
    const QString path = folder.write("long.html", bytes);
    auto page = openPage(path);
    auto range = page->body()->createTextRange();
    int replaced = 0;
    while (range->findText(QStringLiteral("甲"))) {
        range->setText(QStringLiteral("乙"));
        range->collapse(false);
        range->moveEnd(page->body()->createTextRange()->text().size());
        ++replaced;
    }
    EXPECT_EQ(replaced, 600);
    ASSERT_TRUE(page->save().ok());
    EXPECT_EQ(folder.read(path).toStdString(), QByteArray(bytes).replace("甲", "乙").toStdString());
}

} // namespace

// Edits where the markup is not plain text beside text: once saved, the page reads back
// with the text as edited. A rule's break replaced by text, the text before a "<" (written
// as a reference) after a block, and the text before blanks that end the body.
TEST(PageFidelity, EditsBesideRulesReferencesAndBlanksReadBackAsMade)
{
    const struct {
        const char *page;
        int start;
        int count;
    } edits[] = {
        {"甲<hr>乙", 1, 1},
        {"<p>甲</p>a <>b", 1, 2},
        {"甲<br>乙\t\t", 1, 2},
    };
    PageFolder folder;
    for (const auto &edit : edits) {
        const QString path =
            folder.write("edit.html", QByteArray("<html><body>") + edit.page + "</body></html>\n");
        auto page = openPage(path);
        auto range = page->body()->createTextRange();
        range->collapse();
        range->moveEnd(edit.start + edit.count);
        range->moveStart(edit.start);
        range->setText(QStringLiteral("字"));
        const QString edited = page->body()->createTextRange()->text();
        ASSERT_TRUE(page->save().ok());
        EXPECT_TRUE(edited.contains(u'字')) << edit.page;
        EXPECT_EQ(openPage(path)->body()->createTextRange()->text(), edited) << edit.page;
    }
}

#include "platform/office/page/pageapplication.h"
#include "testpages.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

using namespace office::page;
using namespace office::page::testing;

namespace
{

// Reads a page with Python's own HTML parser and gives its images' attributes and its text
// outside script, style and title.
QJsonObject readWithPython(const QString &path, const QString &encoding)
{
    static const char *script = R"(
import json, sys
from html.parser import HTMLParser
class Reader(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.images, self.text, self.hidden = [], [], 0
    def handle_starttag(self, tag, attrs):
        if tag == 'img': self.images.append(dict(attrs))
        if tag in ('script', 'style', 'title'): self.hidden += 1
    def handle_endtag(self, tag):
        if tag in ('script', 'style', 'title'): self.hidden -= 1
    def handle_data(self, data):
        if not self.hidden: self.text.append(data)
reader = Reader()
reader.feed(open(sys.argv[1], 'rb').read().decode(sys.argv[2]))
reader.close()
json.dump({'images': reader.images, 'text': ''.join(reader.text)}, sys.stdout)
)";
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"), QString::fromUtf8(script), path, encoding});
    EXPECT_TRUE(python.waitForFinished(30000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

TEST(PageClients, ThePageHostIsFrontPageWithThePageOpen)
{
    PageFolder folder;
    HtmlPageApplication application(openPage(folder.write("page.html", samplePage().toUtf8())));
    EXPECT_EQ(application.name(), QStringLiteral("Microsoft FrontPage"));
    ASSERT_NE(application.activeDocument(), nullptr);
    EXPECT_EQ(application.activeDocument()->body()->createTextRange()->text(), kSampleText);
    application.setPage(nullptr);
    EXPECT_EQ(application.activeDocument(), nullptr);
}

TEST(PageClients, AnotherHtmlParserReadsWhatTheEngineWrote)
{
    PageFolder folder;
    const QString path = folder.write("page.html", samplePage().toUtf8());
    {
        auto page = openPage(path);
        auto formula = page->body()->createTextRange();
        ASSERT_TRUE(formula->findText(kFormula));
        // A picture as the conversion pastes it: path and alternative text unquoted.
        formula->pasteHTML(
            QStringLiteral("<img border=\"0\" src=file:///C:\\Temp\\MurvelTempDir\\~cp1.bmp "
                           "align=\"texttop\" width=16 height=16 Alt=●＝") +
            kFormula + QStringLiteral(">"));
        auto cell = page->body()->createTextRange();
        ASSERT_TRUE(cell->findText(kBracketed));
        cell->pasteHTML(QStringLiteral("<img src=\"pics/a &amp; &quot;b&quot; 圖.bmp\" "
                                       "alt=\"●＝<口> &amp; &quot;口&quot;\">"));
        auto text = page->body()->createTextRange();
        ASSERT_TRUE(text->findText(QStringLiteral("丙")));
        text->setText(QStringLiteral("a < b & c"));
        ASSERT_TRUE(page->save().ok());
    }

    const QJsonObject read = readWithPython(path, QStringLiteral("utf-8"));
    const QJsonArray images = read.value(QStringLiteral("images")).toArray();
    ASSERT_EQ(images.size(), 4);
    auto attribute = [&](int index, const char *name) {
        return images.at(index).toObject().value(QLatin1String(name)).toString();
    };
    EXPECT_EQ(attribute(0, "src"), QStringLiteral("file:///C:\\Temp\\MurvelTempDir\\~cp1.bmp"));
    EXPECT_EQ(attribute(0, "alt"), QStringLiteral("●＝") + kFormula);
    EXPECT_EQ(attribute(0, "width"), QStringLiteral("16"));
    EXPECT_EQ(attribute(1, "src"), QStringLiteral("pics/a & \"b\" 圖.bmp"));
    EXPECT_EQ(attribute(1, "alt"), QStringLiteral("●＝<口> & \"口\""));
    EXPECT_EQ(attribute(2, "alt"), QStringLiteral("●＝") + kFormula);
    EXPECT_EQ(attribute(3, "src"), QStringLiteral("logo.gif"));

    const QString text = read.value(QStringLiteral("text")).toString();
    EXPECT_TRUE(text.contains(QStringLiteral("甲乙"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("a < b & c")));
    EXPECT_TRUE(text.contains(QStringLiteral("圖與")));
    EXPECT_FALSE(text.contains(kH));
}

} // namespace

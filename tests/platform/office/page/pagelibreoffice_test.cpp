#include "platform/codepage/cp950.h"
#include "platform/office/page/htmlpage.h"
#include "testpages.h"
#include "tests/support/libreoffice.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace office::page;
using namespace office::page::testing;

namespace
{

// The alternative texts of the pictures in an HTML file.
QStringList altTexts(const QByteArray &html)
{
    static const QRegularExpression alt(QStringLiteral("<img\\b[^>]*\\balt=\"([^\"]*)\""),
                                        QRegularExpression::CaseInsensitiveOption);
    QStringList texts;
    for (QRegularExpressionMatchIterator it = alt.globalMatch(QString::fromUtf8(html));
         it.hasNext();)
        texts << it.next().captured(1).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return texts;
}

// Turns the page's first formula into a picture and writes a few characters around it.
void editAndSave(HtmlPage &page)
{
    auto formula = page.body()->createTextRange();
    ASSERT_TRUE(formula->findText(kFormula));
    formula->pasteHTML(QStringLiteral("<img border=\"0\" src=file:///tmp/MurvelTempDir/~cp1.bmp "
                                      "align=\"texttop\" width=16 height=16 Alt=●＝") +
                       kFormula + QStringLiteral(">"));
    auto cell = page.body()->createTextRange();
    ASSERT_TRUE(cell->findText(QStringLiteral("丙")));
    cell->setText(QStringLiteral("丙丁 & <戊>"));
    ASSERT_TRUE(page.save().ok());
}

// The page's text as LibreOffice reads it; the conversion fails the test when LibreOffice
// cannot open the page.
QString libreOfficeText(const QString &path)
{
    const auto text =
        testsupport::convertWithLibreOffice(path, QStringLiteral("txt:Text (encoded):UTF8"));
    return text.ok() ? QString::fromUtf8(text->document) : QString();
}

void expectEditedText(const QString &plain)
{
    EXPECT_TRUE(plain.contains(QStringLiteral("甲乙"))) << plain.toStdString();
    EXPECT_TRUE(plain.contains(QStringLiteral("丙丁 & <戊>")));
    EXPECT_TRUE(plain.contains(QStringLiteral("圖與")));
}

TEST(PageLibreOffice, OpensAnEditedPageWithItsTextAndPictures)
{
    PageFolder folder;
    const QString path = folder.write("page.html", samplePage().toUtf8());
    editAndSave(*openPage(path));

    const QString plain = libreOfficeText(path);
    expectEditedText(plain);
    EXPECT_TRUE(plain.contains(kBracketed));

    const auto html =
        testsupport::convertWithLibreOffice(path, QStringLiteral("html:HTML (StarWriter)"));
    ASSERT_TRUE(html.ok()) << html.errorString().toStdString();
    EXPECT_EQ(altTexts(html->document),
              (QStringList{QStringLiteral("●＝") + kFormula, QStringLiteral("●＝") + kFormula,
                           QStringLiteral("logo")}));
}

TEST(PageLibreOffice, OpensAnEditedBig5Page)
{
    PageFolder folder;
    const QString path =
        folder.write("big5.html", codepage::toCp950(samplePage(QStringLiteral("big5"))));
    editAndSave(*openPage(path));

    expectEditedText(libreOfficeText(path));
}

} // namespace

#include "platform/office/word/docx/docxdocument.h"
#include "tests/platform/office/word/sampledocx.h"
#include "tests/support/libreoffice.h"
#include "tests/support/zipfile.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using word::CollapseDirection;
using word::FindOptions;
using word::HeaderFooterIndex;
using word::docx::DocxDocument;

// The sample edited in every story as a conversion edits it, then read by LibreOffice:
// its text, the glyph text in its East Asian typeface, hidden text, and the inserted
// picture with its alternative text.
TEST(DocxInLibreOffice, AnEditedDocumentOpensWithItsTextGlyphsAndPictures)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("edited.docx"));
    ASSERT_TRUE(wordtest::writeSampleDocx(path));
    auto opened = DocxDocument::open(path);
    ASSERT_TRUE(opened) << opened.errorString().toStdString();
    DocxDocument &document = *opened.value();

    auto glyph = document.content();
    FindOptions formula;
    formula.text = QStringLiteral("口\uF6A4木");
    ASSERT_TRUE(glyph->find(formula));
    glyph->setText(QStringLiteral("林"));
    word::Font kai;
    kai.name = QStringLiteral("AR PL UKai TW");
    glyph->setFont(kai);

    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::black);
    const QString bitmap = folder.filePath(QStringLiteral("~cp1.bmp"));
    ASSERT_TRUE(image.save(bitmap, "BMP"));
    auto cell = document.content();
    formula.text = QStringLiteral("\uF6A5");
    ASSERT_TRUE(cell->find(formula));
    auto picture = document.inlineShapes().addPicture(bitmap, *cell);
    ASSERT_TRUE(picture);
    picture.value()->setAlternativeText(QStringLiteral("●＝cell\uF6A5text"));

    document.footnotes().item(1)->range()->insertAfter(QStringLiteral(" footnote edited"));
    document.sections()
        .item(2)
        ->headers(HeaderFooterIndex::Primary)
        .range()
        ->insertAfter(QStringLiteral(" header edited"));
    document.shapes().item(2)->textFrame().textRange()->insertAfter(QStringLiteral(" box edited"));
    document.protect(word::ProtectionType::AllowOnlyComments);
    ASSERT_TRUE(document.save());

    auto text =
        testsupport::convertWithLibreOffice(path, QStringLiteral("txt:Text (encoded):UTF8"));
    ASSERT_TRUE(text) << text.errorString().toStdString();
    const QString plain = QString::fromUtf8(text->document);
    EXPECT_TRUE(plain.contains(QStringLiteral("甲林乙"))) << plain.toStdString();
    EXPECT_TRUE(plain.contains(QStringLiteral("丙\uF6A3丁"))) << "hidden text is kept";
    EXPECT_TRUE(plain.contains(QStringLiteral("link")));
    EXPECT_TRUE(plain.contains(QStringLiteral("cell")));

    // The rest is in the OpenDocument parts: notes, headers, text boxes, the picture's
    // description and the typefaces.
    auto converted = testsupport::convertWithLibreOffice(path, QStringLiteral("odt"));
    ASSERT_TRUE(converted) << converted.errorString().toStdString();
    const QString odt = folder.filePath(QStringLiteral("edited.odt"));
    QFile file(odt);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(converted->document);
    file.close();
    QString content;
    QString styles;
    for (const auto &[name, data] : testsupport::readZip(odt)) {
        if (name == QLatin1String("content.xml"))
            content = QString::fromUtf8(data);
        else if (name == QLatin1String("styles.xml"))
            styles = QString::fromUtf8(data);
    }
    EXPECT_TRUE(content.contains(QStringLiteral("<svg:desc>●＝cell\uF6A5text</svg:desc>")))
        << "the picture's alternative text";
    EXPECT_TRUE(content.contains(QStringLiteral("AR PL UKai TW"))) << "the glyph's typeface";
    EXPECT_TRUE(content.contains(QStringLiteral("footnote edited")));
    EXPECT_TRUE(content.contains(QStringLiteral("box edited")));
    EXPECT_TRUE(content.contains(QStringLiteral("inner\uF6A3two")))
        << "the nested group's text box";
    EXPECT_TRUE(styles.contains(QStringLiteral("header edited")));
}

// A document as another word processor writes it: the sample saved by LibreOffice is read,
// its formulas found in every story and replaced, and the result opens there again.
TEST(DocxInLibreOffice, ADocumentWrittenByLibreOfficeIsReadAndEdited)
{
    QTemporaryDir folder;
    const QString sample = folder.filePath(QStringLiteral("sample.docx"));
    ASSERT_TRUE(wordtest::writeSampleDocx(sample));
    auto written =
        testsupport::convertWithLibreOffice(sample, QStringLiteral("docx:MS Word 2007 XML"));
    ASSERT_TRUE(written) << written.errorString().toStdString();
    const QString path = folder.filePath(QStringLiteral("written.docx"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(written->document);
    file.close();

    auto opened = DocxDocument::open(path);
    ASSERT_TRUE(opened) << opened.errorString().toStdString();
    DocxDocument &document = *opened.value();
    EXPECT_TRUE(
        document.content()->text().contains(QStringLiteral("甲口\uF6A4木乙丙\uF6A3丁tail")));
    ASSERT_EQ(document.footnotes().count(), 1);
    ASSERT_EQ(document.comments().count(), 1);

    FindOptions operators;
    operators.text = QStringLiteral("[\uF6A3-\uF6AE]");
    operators.matchWildcards = true;
    auto replaceAll = [&](std::unique_ptr<word::Range> range) {
        int replaced = 0;
        while (range->find(operators)) {
            range->setText(QStringLiteral("+"));
            range->collapse(CollapseDirection::End);
            ++replaced;
        }
        return replaced;
    };
    EXPECT_EQ(replaceAll(document.content()), 3);
    EXPECT_EQ(replaceAll(document.footnotes().item(1)->range()), 1);
    EXPECT_EQ(replaceAll(document.comments().item(1)->range()), 1);
    ASSERT_TRUE(document.save());

    auto text =
        testsupport::convertWithLibreOffice(path, QStringLiteral("txt:Text (encoded):UTF8"));
    ASSERT_TRUE(text) << text.errorString().toStdString();
    const QString plain = QString::fromUtf8(text->document);
    EXPECT_TRUE(plain.contains(QStringLiteral("甲口+木乙丙+丁tail"))) << plain.toStdString();
    EXPECT_TRUE(plain.contains(QStringLiteral("cell+text")));
}

#include "largedocx.h"

#include "tests/support/zipfile.h"

namespace
{

// Two spans of Latin words, eight Chinese characters, two hidden, one bold: 53 words.
constexpr int latinWordsPerSpan = 21;

const char *const header =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:document "
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><w:body>";

// Each paragraph: plain text, a formula in an East Asian typeface among Chinese text,
// text in another typeface, hidden text, bold text.
QByteArray documentXml(const QStringList &formulas)
{
    QString xml = QString::fromLatin1(header);
    for (int p = 0; p < LargeDocumentParagraphs; ++p) {
        QString words;
        for (int w = 0; w < latinWordsPerSpan; ++w)
            words += QStringLiteral("word%1 ").arg(w);
        xml += QStringLiteral(
                   "<w:p><w:pPr><w:spacing w:after=\"120\"/></w:pPr>"
                   "<w:r><w:t xml:space=\"preserve\">%1</w:t></w:r>"
                   "<w:r><w:rPr><w:rFonts w:hint=\"eastAsia\" w:eastAsia=\"標楷體\"/></w:rPr>"
                   "<w:t>說文解字%2注曰之字</w:t></w:r>"
                   "<w:r><w:rPr><w:rFonts w:ascii=\"Arial\" w:hAnsi=\"Arial\"/></w:rPr>"
                   "<w:t xml:space=\"preserve\"> %1</w:t></w:r>"
                   "<w:r><w:rPr><w:vanish/></w:rPr><w:t>隱藏</w:t></w:r>"
                   "<w:r><w:rPr><w:b/></w:rPr><w:t>end.</w:t></w:r></w:p>")
                   .arg(words, formulas[p % formulas.size()]);
    }
    xml += QStringLiteral("<w:sectPr/></w:body></w:document>");
    return xml.toUtf8();
}

} // namespace

bool WriteWordDocument(const QString &path, const QByteArray &mainPart)
{
    const QByteArray declaration =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
    return testsupport::writeZip(
        path,
        {{"[Content_Types].xml",
          declaration +
              "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
              "<Default Extension=\"rels\" ContentType=\"application/"
              "vnd.openxmlformats-package.relationships+xml\"/><Default Extension=\"xml\" "
              "ContentType=\"application/xml\"/><Override PartName=\"/word/document.xml\" "
              "ContentType=\"application/"
              "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/></Types>"},
         {"_rels/.rels",
          declaration +
              "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
              "relationships\"><Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/"
              "officeDocument/2006/relationships/officeDocument\" Target=\"word/document.xml\"/>"
              "</Relationships>"},
         {"word/document.xml", mainPart}});
}

bool WriteLargeDocument(const QString &path, const QStringList &formulas)
{
    return WriteWordDocument(path, documentXml(formulas));
}

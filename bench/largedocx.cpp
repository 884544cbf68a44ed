#include "largedocx.h"

#include "tests/support/zipfile.h"

namespace
{

// Two spans of Latin words, Chinese characters around the formula, two hidden, one bold:
// about 53 words.
constexpr int latinWordsPerSpan = 21;

const char *const header =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:document "
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><w:body>";
const char *const footer = "<w:sectPr/></w:body></w:document>";

const char16_t *const syllables[] = {u"ka", u"to", u"ri", u"men", u"sa",  u"lo", u"pe", u"un",
                                     u"da", u"vi", u"ne", u"ho",  u"tra", u"is", u"ba", u"qu"};

QByteArray documentXml(const QStringList &formulas, int paragraphs)
{
    VariedText varied;
    QString xml = QString::fromLatin1(header);
    for (int p = 0; p < paragraphs; ++p) {
        xml += QStringLiteral(
                   "<w:p><w:pPr><w:spacing w:after=\"120\"/></w:pPr>"
                   "<w:r><w:t xml:space=\"preserve\">%1</w:t></w:r>"
                   "<w:r><w:rPr><w:rFonts w:hint=\"eastAsia\" w:eastAsia=\"標楷體\"/></w:rPr>"
                   "<w:t>%2%3%4</w:t></w:r>"
                   "<w:r><w:rPr><w:rFonts w:ascii=\"Arial\" w:hAnsi=\"Arial\"/></w:rPr>"
                   "<w:t xml:space=\"preserve\"> %5</w:t></w:r>"
                   "<w:r><w:rPr><w:vanish/></w:rPr><w:t>%6</w:t></w:r>"
                   "<w:r><w:rPr><w:b/></w:rPr><w:t>%7.</w:t></w:r></w:p>")
                   .arg(varied.latinWords(latinWordsPerSpan), varied.chineseCharacters(4),
                        formulas[p % formulas.size()], varied.chineseCharacters(4),
                        varied.latinWords(latinWordsPerSpan), varied.chineseCharacters(2),
                        varied.latinWords(1));
    }
    xml += QString::fromLatin1(footer);
    return xml.toUtf8();
}

} // namespace

QString VariedText::latinWords(int count)
{
    QString words;
    for (int w = 0; w < count; ++w) {
        if (w > 0)
            words += u' ';
        for (int s = 1 + int(m_random.bounded(4)); s > 0; --s)
            words += QString::fromUtf16(syllables[m_random.bounded(int(std::size(syllables)))]);
        if (m_random.bounded(12) == 0)
            words += QString::number(m_random.bounded(2000));
    }
    return words;
}

QString VariedText::chineseCharacters(int count)
{
    QString characters;
    for (int i = 0; i < count; ++i)
        characters += QChar(char16_t(0x4E00 + m_random.bounded(3000)));
    return characters;
}

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

bool WriteLargeDocument(const QString &path, const QStringList &formulas, int paragraphs)
{
    return WriteWordDocument(path, documentXml(formulas, paragraphs));
}

bool WriteOneParagraphDocument(const QString &path, const QStringList &formulas, int count)
{
    VariedText varied;
    QString text;
    for (int i = 0; i < count; ++i)
        text += varied.latinWords(2) + u' ' + varied.chineseCharacters(2) +
                formulas[i % formulas.size()] + varied.chineseCharacters(1) + u' ';
    const QString xml = QString::fromLatin1(header) +
                        QStringLiteral("<w:p><w:r><w:rPr><w:rFonts w:eastAsia=\"標楷體\"/></w:rPr>"
                                       "<w:t xml:space=\"preserve\">%1</w:t></w:r></w:p>")
                            .arg(text) +
                        QString::fromLatin1(footer);
    return WriteWordDocument(path, xml.toUtf8());
}

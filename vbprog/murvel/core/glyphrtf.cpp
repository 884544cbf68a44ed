#include "vbprog/murvel/core/glyphrtf.h"

#include "platform/codepage/cp950.h"
#include "platform/fonts/eudcfacenames.h"
#include "vbprog/murvel/core/scriptfaces.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/schema/schemanames.h"

#include <algorithm>

namespace
{

const QString &KaiBase = Faces::Kai;
const QString &MingBase = Faces::Ming;
constexpr int KaiFirstFont = 0;
constexpr int MingFirstFont = 16;
constexpr int LastFaceCode = 20;
constexpr QChar CarriageReturn = u'\r';
constexpr QChar MissingGlyph = u'●';

// A character beyond the BMP has no cp950 code, and is one "?" like any other such.
QString escapeCharacter(char32_t c)
{
    const quint16 code =
        c <= 0xFFFF ? codepage::big5Code(QChar(char16_t(c))).value_or(u'?') : quint16(u'?');
    const QString digits = QString::number(code, 16);
    if (digits.size() == 4)
        return QStringLiteral("\\'%1\\'%2").arg(digits.left(2), digits.mid(2));
    if (digits.size() == 2)
        return QStringLiteral("\\'") + digits;
    return {};
}

QString escapeText(const QString &text)
{
    QString escaped;
    for (char32_t c : text.toUcs4())
        escaped += escapeCharacter(c);
    return escaped;
}

// The UTF-16 units of the character at p: 2 for a surrogate pair, else 1.
qsizetype unitsAt(const QString &text, qsizetype p)
{
    return text[p].isHighSurrogate() && p + 1 < text.size() && text[p + 1].isLowSurrogate() ? 2 : 1;
}

// The character at p, a surrogate pair read whole.
char32_t characterAt(const QString &text, qsizetype p)
{
    return unitsAt(text, p) == 2 ? QChar::surrogateToUcs4(text[p], text[p + 1])
                                 : char32_t(text[p].unicode());
}

QString fontEntry(int number, const char *family, const QString &name)
{
    return QStringLiteral("{\\f%1\\%2\\fcharset136%3;}")
        .arg(QString::number(number), QLatin1String(family), escapeText(name));
}

// A group of escaped bytes in one font: "{\fN" + bytes + "}".
QString fontGroup(int font, const QString &escapedBytes)
{
    return QStringLiteral("{\\f%1%2}").arg(QString::number(font), escapedBytes);
}

// The font table of a base family: the family itself, then its eight sets of
// end-user-defined characters.
QString fontTable(const QString &family, int firstFont)
{
    QString table = QStringLiteral("{\\fonttbl") + fontEntry(firstFont, "fscript", family);
    for (int set = 1; set <= fonts::EudcSetCount; ++set)
        table += fontEntry(firstFont + set, "fmodern", fonts::eudcFaceName(family, set));
    return table + u'}';
}

// Writes the body of one GlyphRtf; positions are 0-based UTF-16 indexes.
class BodyWriter
{
public:
    BodyWriter(const QString &text, int firstFont, const FormulaGlyphLookup &lookup)
        : m_text(text), m_firstFont(firstFont), m_lookup(lookup)
    {
    }

    QString write()
    {
        for (qsizetype p = 0; p < m_text.size(); ++p) {
            const QChar c = m_text[p];
            if (!IsOperatorSymbol(c))
                p = writeOrdinary(p);
            else if (c == QChar(OperatorCodes::OpenBracket))
                p = writeBracketed(p);
            else
                p = writeOperatorFormula(p);
        }
        return m_body;
    }

private:
    // The character at p; past the end a carriage return.
    QChar at(qsizetype p) const { return p < m_text.size() ? m_text[p] : CarriageReturn; }

    // Returns the position of the character's last UTF-16 unit.
    qsizetype writeOrdinary(qsizetype p)
    {
        const qsizetype last = p + unitsAt(m_text, p) - 1;
        if (IsInfixOperator(at(last + 1)))
            return last; // the first component of the formula that the operator continues
        const QString escaped = escapeCharacter(characterAt(m_text, p));
        if (p == m_formulaEnd) {
            m_body += fontGroup(m_firstFont, escaped);
        } else {
            m_body.chop(1); // extends the text group before it
            m_body += escaped + u'}';
        }
        return last;
    }

    // Returns the position of the formula's last character.
    qsizetype writeBracketed(qsizetype start)
    {
        qsizetype p = start + 1;
        while (at(p) != QChar(OperatorCodes::CloseBracket) && at(p) != CarriageReturn)
            ++p;
        m_formulaEnd = p + 1;
        if (at(p) == QChar(OperatorCodes::CloseBracket))
            writeGlyph(m_text.mid(start, p - start + 1));
        else
            writeMissingGlyph();
        return p;
    }

    // Returns the position of the formula's last character.
    qsizetype writeOperatorFormula(qsizetype p)
    {
        qsizetype start = p;
        if (IsInfixOperator(m_text[p])) {
            // The component before the operator, a surrogate pair whole.
            start = p >= 2 && unitsAt(m_text, p - 2) == 2 ? p - 2 : p - 1;
            start = std::max(start, m_formulaEnd);
        }
        do
            ++p;
        while (IsInfixOperator(at(p)) || TakesNextCharacter(at(p - 1)) ||
               (at(p).isLowSurrogate() && at(p - 1).isHighSurrogate()));
        --p;
        m_formulaEnd = p + 1;
        writeGlyph(m_text.mid(start, p - start + 1));
        return p;
    }

    void writeGlyph(const QString &formula)
    {
        const std::optional<FormulaGlyph> glyph = m_lookup(FormulaKeyOf(formula));
        if (!glyph || !glyph->face || *glyph->face < 0 || *glyph->face > LastFaceCode ||
            glyph->code.isEmpty()) {
            writeMissingGlyph();
            return;
        }
        m_body +=
            fontGroup(*glyph->face + m_firstFont, escapeCharacter(characterAt(glyph->code, 0)));
    }

    void writeMissingGlyph()
    {
        m_body += fontGroup(m_firstFont, escapeCharacter(MissingGlyph.unicode()));
    }

    const QString &m_text;
    const int m_firstFont;
    const FormulaGlyphLookup &m_lookup;
    qsizetype m_formulaEnd = 0; // the first position after the last formula
    QString m_body;
};

std::optional<FormulaGlyph> lookUpRegularScript(const FormulaKey &key)
{
    if (!gRs檢字表楷書.seek(int(key.kind), key.components))
        return std::nullopt;
    FormulaGlyph glyph;
    const QVariant face = gRs檢字表楷書.value(Fields::字體);
    bool isNumber = false;
    const int faceCode = face.toInt(&isNumber);
    if (!face.isNull() && isNumber)
        glyph.face = faceCode;
    glyph.code = gRs檢字表楷書.value(Fields::字碼).toString();
    return glyph;
}

} // namespace

QString RtfHexEscape(const QString &c)
{
    return c.isEmpty() ? QString() : escapeCharacter(characterAt(c, 0));
}

QString FormulaTextToRtf(const QString &text, const QString &base, const FormulaGlyphLookup &lookup)
{
    const bool kai = base == KaiBase;
    const int firstFont = kai ? KaiFirstFont : MingFirstFont;
    return QStringLiteral("{\\rtf1\\ansi\\deflang1033") +
           fontTable(kai ? KaiBase : MingBase, firstFont) +
           BodyWriter(text, firstFont, lookup).write() + u'}';
}

QString FormulaTextToRtf(const QString &text, const QString &base)
{
    gRs檢字表楷書.setIndex(Indexes::構字式);
    return FormulaTextToRtf(text, base, lookUpRegularScript);
}

#include "comAddIn/porvex/word/rangeconverter.h"

#include "comAddIn/porvex/formulascanner.h"
#include "comAddIn/porvex/glyphrenderer.h"
#include "comAddIn/porvex/word/wordpicker.h"
#include "platform/codepage/cp950.h"
#include "platform/office/word/document.h"
#include "platform/vb/integers.h"
#include "platform/vb/numbertext.h"
#include "vbprog/murvel/core/formula.h"

#include <QDir>

namespace porvex
{

namespace
{

constexpr char16_t EudcFirst = 0xE000;
constexpr char16_t EudcLast = 0xF848;
// How far ahead of an opening bracket its closing bracket is sought.
constexpr int BracketReach = 50;
constexpr int PictureDpi = 600;

// A formula boundary, or no character at all: before the story's start or past its end.
bool endsFormula(QChar c)
{
    return c.isNull() || IsFormulaBoundary(c);
}

// The wildcard class of the characters that start a search: every operator that can
// stand in or open a formula in glyph mode, every end-user-defined character in picture
// mode.
QString searchPattern(LookupEngine::ConversionMode mode)
{
    const bool glyphs = mode == LookupEngine::ConversionMode::Glyph;
    return QStringLiteral("[%1-%2]").arg(QChar(glyphs ? OperatorCodes::InfixFirst : EudcFirst),
                                         QChar(glyphs ? OperatorCodes::OpenBracket : EudcLast));
}

GlyphFont glyphFontOf(const word::Font &font)
{
    GlyphFont glyph;
    glyph.name = font.name.value_or(QString());
    glyph.size = font.size.value_or(12);
    glyph.bold = font.bold.value_or(false);
    glyph.italic = font.italic.value_or(false);
    glyph.underline =
        font.underline.value_or(word::Font::underlineNone) != word::Font::underlineNone;
    glyph.strikeOut = font.strikeThrough.value_or(false);
    const int color = font.color.value_or(word::Font::automaticColor);
    glyph.color = color == word::Font::automaticColor ? 0 : quint32(color);
    return glyph;
}

// One pass over a story pair. Positions in the source follow those in the copy at an
// offset that each conversion changes by the difference of what it wrote in the two.
class StoryConverter
{
public:
    StoryConverter(WordConversion &run, word::Range &copy, word::Range &source)
        : m_run(run), m_copy(copy), m_source(source), m_offset(source.start() - copy.start()),
          m_mode(run.engine.conversionMode())
    {
    }

    void convert()
    {
        word::FindOptions find;
        find.text = searchPattern(m_mode);
        find.matchWildcards = true;
        while (m_copy.find(find)) {
            convertHit();
            m_copy.collapse(word::CollapseDirection::End);
        }
    }

private:
    QChar charAt(int position)
    {
        m_copy.setRange(position, position + 1);
        const QString text = m_copy.text();
        return m_copy.start() == position && text.size() == 1 ? text[0] : QChar();
    }

    void convertHit()
    {
        const int hit = m_copy.start();
        QChar first = charAt(hit);
        if (m_mode == LookupEngine::ConversionMode::Picture && !IsOperatorSymbol(first)) {
            // A component: the start of a formula when an infix operator follows it, else
            // a character of its own that becomes a picture as it stands.
            const QChar next = charAt(hit + 1);
            if (!IsInfixOperator(next)) {
                m_copy.setRange(hit, hit + 1);
                drawLoneCharacter();
                return;
            }
            first = next;
        }
        // A closing bracket or U+F6B0 starts no formula: one that no opening bracket
        // took in stays as it is, and is not logged as a missing formula.
        if (first.unicode() == OperatorCodes::CloseBracket ||
            first.unicode() == OperatorCodes::Last)
            return;
        const Lookup *lookup =
            first == QChar(OperatorCodes::OpenBracket) ? lookUpBracketed(hit) : lookUpGrown();
        if (lookup == nullptr)
            return;
        if (!lookup->message.isEmpty())
            m_run.lastMessage = lookup->message;
        if (lookup->chosen.code.isEmpty())
            return;
        write(*lookup);
    }

    // Grows the formula around the operator at the range's start: from its left operand
    // when it joins two, on while an operator stands at the current place or an infix
    // operator follows it. A formula boundary is never part of it.
    const Lookup *lookUpGrown()
    {
        const int at = m_copy.start();
        const int start = IsInfixOperator(charAt(at)) && !endsFormula(charAt(at - 1)) ? at - 1 : at;
        int current = at;
        while (!endsFormula(charAt(current + 1)) &&
               (TakesNextCharacter(charAt(current)) || IsInfixOperator(charAt(current + 1))))
            ++current;
        m_copy.setRange(start, current + 1);
        return lookUp(m_copy.text());
    }

    // An opening bracket closed by the first closing bracket before a formula boundary, at most 50
    // characters ahead: a glyph number or a bracketed formula. Without a closing bracket
    // there is no formula, and the formulas after the opening one are still found; a
    // bracket that closes further on is left alone with all it holds. Both documents stay
    // as they are there.
    const Lookup *lookUpBracketed(int start)
    {
        m_copy.setRange(start, start + 1);
        m_copy.moveEndUntil(QChar(OperatorCodes::CloseBracket) + FormulaBoundaries);
        const int close = m_copy.end();
        if (charAt(close) != QChar(OperatorCodes::CloseBracket)) {
            m_copy.setRange(start, start + 1);
            return nullptr;
        }
        m_copy.setRange(start, close + 1);
        if (close - start > BracketReach)
            return nullptr;
        const QString formula = m_copy.text();
        const QString inner = formula.mid(1, formula.size() - 2);
        if (vb::IsNumeric(inner)) {
            const std::optional<qint32> number = vb::CLng(vb::Val(inner));
            if (!number)
                return nullptr;
            return &m_run.engine.lookUpNumber(formula, *number);
        }
        return lookUp(formula);
    }

    const Lookup *lookUp(const QString &formula)
    {
        m_run.picker.setFormula(&m_run.copy, &m_copy);
        const Lookup &lookup = m_run.engine.lookUp(formula, m_run.picker);
        m_run.picker.setFormula(nullptr, nullptr);
        return &lookup;
    }

    void write(const Lookup &lookup)
    {
        const int start = m_copy.start();
        const QString formula = m_copy.text();
        const QString altFormula = lookup.resultText.isEmpty() ? formula : lookup.resultText;
        const word::Font font = m_copy.font();
        const GlyphWrite glyph = lookup.writeFor(font.name.value_or(QString()));
        m_copy.setText(glyph.text);
        if (glyph.face) {
            word::Font face;
            face.name = *glyph.face;
            m_copy.setFont(face);
        }
        if (m_mode == LookupEngine::ConversionMode::Picture &&
            !codepage::isBig5Hanzi(lookup.chosen.glyph))
            drawPicture(font, altFormula);
        replaceInSource(start, formula, lookup.resultText);
    }

    void drawLoneCharacter() { drawPicture(m_copy.font(), m_copy.text()); }

    // Puts a picture of the range's glyph in place of it; when it cannot be drawn the
    // glyph stays as text.
    void drawPicture(const word::Font &savedFont, const QString &altFormula)
    {
        const QString path = QDir(m_run.pictureFolder)
                                 .filePath(QStringLiteral("~cp%1.bmp").arg(++m_run.pictureCounter));
        if (!m_run.renderer.GlyphToBitmapFile(glyphFontOf(m_copy.font()), m_copy.text(), path,
                                              PictureDpi))
            return;
        const int at = m_copy.start();
        platform::Result<word::InlineShape *> picture =
            m_run.copy.inlineShapes().addPicture(path, m_copy);
        if (!picture)
            return;
        m_copy.setRange(at, at + 1);
        m_copy.setFont(savedFont);
        picture.value()->setAlternativeText(PictureAltMark + altFormula);
    }

    // The formula's place in the source is that in the copy moved by the offset; the
    // source is only changed when it holds the same formula there.
    void replaceInSource(int copyStart, const QString &formula, const QString &resultText)
    {
        const int sourceStart = copyStart + m_offset;
        int sourceEnd = sourceStart + int(formula.size());
        if (!resultText.isEmpty()) {
            m_source.setRange(sourceStart, sourceEnd);
            if (m_source.start() == sourceStart && m_source.text() == formula) {
                m_source.setText(resultText);
                sourceEnd = m_source.end();
            }
        }
        m_offset = sourceEnd - m_copy.end();
    }

    WordConversion &m_run;
    word::Range &m_copy;
    word::Range &m_source;
    int m_offset;
    LookupEngine::ConversionMode m_mode;
};

} // namespace

void ConvertRangeFormulas(WordConversion &run, word::Range &copy, word::Range &source)
{
    StoryConverter(run, copy, source).convert();
}

} // namespace porvex

#include "comAddIn/porvex/formulascanner.h"

#include "comAddIn/porvex/lookuprules.h"

#include <array>

namespace porvex
{

namespace
{

bool inRange(QChar c, char16_t first, char16_t last)
{
    return c.unicode() >= first && c.unicode() <= last;
}

bool hasComponents(const QString &formula)
{
    return !KeyOfFoundFormula(formula).components.isEmpty();
}

} // namespace

bool IsFormulaStart(QChar c)
{
    return inRange(c, 0xF6A3, 0xF6B0);
}

bool IsJoiningOperator(QChar c)
{
    return inRange(c, 0xF6A3, 0xF6A5);
}

bool TakesNextCharacter(QChar c)
{
    return inRange(c, 0xF6A3, 0xF6AD);
}

bool IsPrivateUse(QChar c)
{
    return inRange(c, 0xE000, 0xF848);
}

bool IsFormulaBoundary(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0xFFFC;
}

const QString FormulaBoundaries = [] {
    QString boundaries;
    for (char16_t c = 0; c < 0x20; ++c)
        boundaries += QChar(c);
    return boundaries + QChar(0xFFFC);
}();

QString OperatorSymbol(int k)
{
    static constexpr std::array<char16_t, 9> symbols{0xF6A4, 0xF6A3, 0xF6A5, 0xF6AE, 0xF6AF,
                                                     0xF6A7, 0xF6A6, 0xF6A8, 0xF6AB};
    if (k < 1 || k > int(symbols.size()))
        return {};
    return QString(QChar(symbols[k - 1]));
}

bool FormulaScanner::endsFormula(const QString &text, int at) const
{
    return at >= text.size() || IsFormulaBoundary(text[at]);
}

int FormulaScanner::bracketEnd(const QString &text, int open) const
{
    for (int at = open + 1; !endsFormula(text, at); ++at) {
        if (text[at] == kCloseBracket)
            return at + 1;
    }
    return -1;
}

FoundFormula FormulaScanner::operatorFormula(const QString &text, int at) const
{
    int start = at;
    // The component before a joining operator belongs to the formula, unless the text
    // begins with the operator or a formula boundary stands before it.
    if (IsJoiningOperator(text[at]) && at > 0 && !endsFormula(text, at - 1))
        start = at - 1;
    int end = at + 1;
    while (!endsFormula(text, end) &&
           (IsJoiningOperator(text[end]) || TakesNextCharacter(text[end - 1])))
        ++end;
    return {start, end - start};
}

std::optional<FoundFormula> FormulaScanner::next(const QString &text, int &from) const
{
    while (from < text.size()) {
        const QChar c = text[from];
        if (m_mode == Mode::Page && IsPrivateUse(c) && !IsFormulaStart(c)) {
            const bool joined = from + 1 < text.size() && IsJoiningOperator(text[from + 1]);
            ++from;
            if (!joined)
                return FoundFormula{from - 1, 1, true};
            continue; // the operator after it takes it into its formula
        }
        if (!IsFormulaStart(c)) {
            ++from;
            continue;
        }
        FoundFormula found;
        if (c == kOpenBracket) {
            const int end = bracketEnd(text, from);
            if (end < 0) {
                ++from;
                continue;
            }
            found = {from, end - from};
        } else {
            found = operatorFormula(text, from);
        }
        from = found.end();
        if (hasComponents(text.mid(found.start, found.length)))
            return found;
    }
    return std::nullopt;
}

} // namespace porvex

#include "comAddIn/porvex/formulascanner.h"

#include "comAddIn/porvex/lookuprules.h"

namespace porvex
{

namespace
{

bool hasComponents(const QString &formula)
{
    return !KeyOfFoundFormula(formula).components.isEmpty();
}

} // namespace

bool IsPrivateUse(QChar c)
{
    return c.unicode() >= 0xE000 && c.unicode() <= 0xF848;
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

bool FormulaScanner::endsFormula(const QString &text, int at) const
{
    return at >= text.size() || IsFormulaBoundary(text[at]);
}

int FormulaScanner::bracketEnd(const QString &text, int open) const
{
    for (int at = open + 1; !endsFormula(text, at); ++at) {
        if (text[at] == QChar(OperatorCodes::CloseBracket))
            return at + 1;
    }
    return -1;
}

FoundFormula FormulaScanner::operatorFormula(const QString &text, int at) const
{
    int start = at;
    // The component before a joining operator belongs to the formula, unless the text
    // begins with the operator or a formula boundary stands before it.
    if (IsInfixOperator(text[at]) && at > 0 && !endsFormula(text, at - 1))
        start = at - 1;
    int end = at + 1;
    while (!endsFormula(text, end) &&
           (IsInfixOperator(text[end]) || TakesNextCharacter(text[end - 1])))
        ++end;
    return {start, end - start};
}

std::optional<FoundFormula> FormulaScanner::next(const QString &text, int &from) const
{
    while (from < text.size()) {
        const QChar c = text[from];
        if (m_mode == Mode::Page && IsPrivateUse(c) && !IsOperatorSymbol(c)) {
            const bool joined = from + 1 < text.size() && IsInfixOperator(text[from + 1]);
            ++from;
            if (!joined)
                return FoundFormula{from - 1, 1, true};
            continue; // the operator after it takes it into its formula
        }
        if (!IsOperatorSymbol(c)) {
            ++from;
            continue;
        }
        FoundFormula found;
        if (c == QChar(OperatorCodes::OpenBracket)) {
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

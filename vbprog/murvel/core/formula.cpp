#include "vbprog/murvel/core/formula.h"

#include <algorithm>

OperatorTable gOperatorSymbols;

QString OperatorTable::symbol(int number) const
{
    if (number < 1 || number > OperatorNumbers::Count)
        return {};
    return m_symbols[number - 1];
}

bool OperatorTable::setSymbol(int number, const QString &symbol)
{
    if (number < 1 || number > OperatorNumbers::Count)
        return false;
    m_symbols[number - 1] = symbol;
    return true;
}

int OperatorTable::find(const QString &symbol, int first, int last) const
{
    first = std::max(first, 1);
    last = std::min(last, OperatorNumbers::Count);
    for (int number = first; number <= last; ++number) {
        const QString &entry = m_symbols[number - 1];
        if (!entry.isEmpty() && entry == symbol)
            return number;
    }
    return 0;
}

bool OperatorTable::isComplete() const
{
    return std::none_of(m_symbols.begin(), m_symbols.end(),
                        [](const QString &s) { return s.isEmpty(); });
}

int PrefixRepeatCount(int operatorNumber)
{
    if (operatorNumber == 4 || operatorNumber == 5)
        return 2;
    if (operatorNumber >= 6 && operatorNumber <= 8)
        return 3;
    if (operatorNumber >= 9 && operatorNumber <= 11)
        return 4;
    return 0;
}

int FindOperator(const QString &symbol, int first, int last)
{
    return gOperatorSymbols.find(symbol, first, last);
}

static bool isPrefixOperator(QChar c)
{
    return FindOperator(QString(c), OperatorNumbers::PrefixFirst, OperatorNumbers::PrefixLast) > 0;
}

QString JoinFormula(std::optional<int> kind, const QString &components)
{
    const int k = kind.value_or(FormulaKinds::Bracketed);
    if (k == FormulaKinds::Root)
        return components;
    if (k >= 1 && k <= 3) {
        // Each component (a prefix operator together with the character it governs) is
        // followed by the joining operator; the operator after the last one is dropped.
        const QString joiner = gOperatorSymbols.symbol(k);
        QString text;
        for (qsizetype i = 0; i < components.size(); ++i) {
            if (i > 0)
                text += joiner;
            text += components[i];
            if (isPrefixOperator(components[i]) && i + 1 < components.size())
                text += components[++i];
        }
        return text;
    }
    if (k < FormulaKinds::Bracketed)
        return components; // negative kinds: no rule, nothing to join
    if (components.size() <= 2 && !components.isEmpty() &&
        FindOperator(QString(components[0]), 1, OperatorNumbers::Count) > 0)
        return components; // a lone operator, or a prefix operator with its component
    return gOperatorSymbols.symbol(OperatorNumbers::OpenBracket) + components +
           gOperatorSymbols.symbol(OperatorNumbers::CloseBracket);
}

bool HasLikeWildcard(const QString &text)
{
    return QStringLiteral("*?#[]!-").contains(text);
}

FormulaKey FormulaKeyOf(const QString &formula)
{
    FormulaKey key;
    if (formula.startsWith(QChar(OperatorCodes::OpenBracket))) {
        key.kind = FormulaKinds::Bracketed;
        key.components = formula.size() >= 2 ? formula.mid(1, formula.size() - 2) : QString();
        return key;
    }
    for (QChar c : formula) {
        if (const int kind = InfixKind(c))
            key.kind = qint16(kind);
        else
            key.components += c;
    }
    return key;
}

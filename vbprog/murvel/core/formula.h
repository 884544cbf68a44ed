#pragma once

#include <QString>
#include <array>
#include <optional>

// The composition-formula model shared by every program: the 14 numbered operator
// symbols, the text form of a formula and the two-part key of index 構字式.

// Code points of the operator symbols; code that needs no number tests these ranges.
namespace OperatorCodes
{
constexpr char16_t First = 0xF6A3; // any operator: First..Last
constexpr char16_t Last = 0xF6B0;
constexpr char16_t InfixFirst = 0xF6A3; // the three joining operators
constexpr char16_t InfixLast = 0xF6A5;
constexpr char16_t PrefixFirst = 0xF6A6; // the eight repeating operators
constexpr char16_t PrefixLast = 0xF6AD;
constexpr char16_t OpenBracket = 0xF6AE;
constexpr char16_t CloseBracket = 0xF6AF;
// Single operators by what they do, as table 符號 numbers them.
constexpr char16_t Beside = 0xF6A4;    // operator 1: side by side
constexpr char16_t Above = 0xF6A3;     // operator 2: above and below
constexpr char16_t Enclosing = 0xF6A5; // operator 3: one around the other
constexpr char16_t Twice = 0xF6A7;     // operator 5: the next component twice
constexpr char16_t Thrice = 0xF6A8;    // operator 6: three times
constexpr char16_t FourTimes = 0xF6AB; // operator 9: four times
} // namespace OperatorCodes

// The text of one operator, for building formulas in code.
inline QString OperatorSymbol(char16_t code)
{
    return QString(QChar(code));
}

// Operator numbers with a rule of their own.
namespace OperatorNumbers
{
constexpr int Count = 14;
constexpr int InfixFirst = 1, InfixLast = 3;
constexpr int PrefixFirst = 4, PrefixLast = 11;
constexpr int OpenBracket = 12, CloseBracket = 13;
} // namespace OperatorNumbers

// The code point of operator number 1..14 as the standard table 符號 holds it: U+F6A4,
// U+F6A3, U+F6A5 for the infix operators 1..3, then U+F6A6..U+F6B0 in order; 0 for any
// other number.
constexpr char16_t StandardOperatorCode(int number)
{
    constexpr char16_t infix[] = {OperatorCodes::Beside, OperatorCodes::Above,
                                  OperatorCodes::Enclosing};
    if (number >= OperatorNumbers::InfixFirst && number <= OperatorNumbers::InfixLast)
        return infix[number - OperatorNumbers::InfixFirst];
    if (number > OperatorNumbers::InfixLast && number <= OperatorNumbers::Count)
        return char16_t(OperatorCodes::PrefixFirst + number - OperatorNumbers::PrefixFirst);
    return 0;
}

// The code point ranges, for code that needs no operator number.
constexpr bool IsOperatorSymbol(QChar c)
{
    return c.unicode() >= OperatorCodes::First && c.unicode() <= OperatorCodes::Last;
}

constexpr bool IsInfixOperator(QChar c)
{
    return c.unicode() >= OperatorCodes::InfixFirst && c.unicode() <= OperatorCodes::InfixLast;
}

constexpr bool IsPrefixOperator(QChar c)
{
    return c.unicode() >= OperatorCodes::PrefixFirst && c.unicode() <= OperatorCodes::PrefixLast;
}

// An infix or prefix operator: the character after it belongs to its formula.
constexpr bool TakesNextCharacter(QChar c)
{
    return IsInfixOperator(c) || IsPrefixOperator(c);
}

// The FormulaKind that an infix operator sets, 1..3; 0 for any other character.
constexpr int InfixKind(QChar c)
{
    for (int kind = OperatorNumbers::InfixFirst; kind <= OperatorNumbers::InfixLast; ++kind) {
        if (c.unicode() == StandardOperatorCode(kind))
            return kind;
    }
    return 0;
}

// FormulaKind: the value of field 連接符號.
namespace FormulaKinds
{
constexpr int Root = 0;      // a component that is not composed
constexpr int Bracketed = 4; // a bracketed formula
constexpr int Other = 5;     // a prefix operator with its component, or no infix operator
constexpr int Symbol = 9;    // a symbol that is not composed
} // namespace FormulaKinds

// The operator table: symbol by number 1..14, as table 符號 gives them.
class OperatorTable
{
public:
    // The symbol of a number, or an empty text for a number without a record.
    QString symbol(int number) const;
    // Stores a symbol; a number outside 1..14 is refused with false.
    bool setSymbol(int number, const QString &symbol);
    // The smallest number in first..last whose symbol equals the text exactly, else 0.
    // Bounds are clamped to 1..14, so no range can read outside the table.
    int find(const QString &symbol, int first, int last) const;
    // True when every number 1..14 has a symbol.
    bool isComplete() const;

private:
    std::array<QString, OperatorNumbers::Count> m_symbols;
};

// The table loaded at start-up from table 符號 (or by a build tool from its source).
extern OperatorTable gOperatorSymbols;

// Number of times a prefix operator repeats its component: 2, 3 or 4; 0 for any other number.
int PrefixRepeatCount(int operatorNumber);

int FindOperator(const QString &symbol, int first, int last);

// The FormulaText of a stored formula (連接符號, 部件序); a Null kind counts as 4 or more.
QString JoinFormula(std::optional<int> kind, const QString &components);

// True when the text occurs inside "*?#[]!-": a LIKE pattern character for one-character texts.
bool HasLikeWildcard(const QString &text);

// The two-part key of index 構字式: (FormulaKind, component string).
struct FormulaKey {
    qint16 kind = FormulaKinds::Other;
    QString components;

    friend bool operator==(const FormulaKey &, const FormulaKey &) = default;
};

// The FormulaKey rule: a formula that opens with a bracket is kind 4 with the text between
// its first and last character; otherwise the last infix operator sets the kind (default 5)
// and is left out, every other character is kept.
FormulaKey FormulaKeyOf(const QString &formula);

#include "data/generator/operatorsymbols.h"

#include "vbprog/murvel/core/formula.h"

namespace
{

// The symbols by number: 1 U+F6A4, 2 U+F6A3, 3 U+F6A5, then U+F6A6..U+F6B0 in order.
QString standardSymbol(int number)
{
    static constexpr char16_t infix[] = {0xF6A4, 0xF6A3, 0xF6A5};
    if (number <= OperatorNumbers::InfixLast)
        return QString(QChar(infix[number - 1]));
    return QString(
        QChar(char16_t(OperatorCodes::PrefixFirst + number - OperatorNumbers::PrefixFirst)));
}

} // namespace

void LoadOperatorSymbols(const TableData *symbols)
{
    for (int number = 1; number <= OperatorNumbers::Count; ++number)
        gOperatorSymbols.setSymbol(number, standardSymbol(number));
    for (int row = 0; symbols && row < symbols->rowCount(); ++row) {
        const auto number = symbols->number(row, Fields::編號);
        const QString symbol = symbols->text(row, Fields::字形);
        if (number && symbol.size() == 1)
            gOperatorSymbols.setSymbol(static_cast<int>(*number), symbol);
    }
}

#include "data/generator/operatorsymbols.h"

#include "vbprog/murvel/core/formula.h"

void LoadOperatorSymbols(const TableData *symbols)
{
    for (int number = 1; number <= OperatorNumbers::Count; ++number)
        gOperatorSymbols.setSymbol(number, QString(QChar(StandardOperatorCode(number))));
    for (int row = 0; symbols && row < symbols->rowCount(); ++row) {
        const auto number = symbols->number(row, Fields::編號);
        const QString symbol = symbols->text(row, Fields::字形);
        if (number && symbol.size() == 1)
            gOperatorSymbols.setSymbol(static_cast<int>(*number), symbol);
    }
}

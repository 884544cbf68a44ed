#pragma once

#include "vbprog/murvel/core/formula.h"

// Fills the shared operator table with the symbols that table 符號 holds.
inline void LoadStandardOperators()
{
    const char16_t symbols[] = {0xF6A4, 0xF6A3, 0xF6A5, 0xF6A6, 0xF6A7, 0xF6A8, 0xF6A9,
                                0xF6AA, 0xF6AB, 0xF6AC, 0xF6AD, 0xF6AE, 0xF6AF, 0xF6B0};
    for (int number = 1; number <= 14; ++number)
        gOperatorSymbols.setSymbol(number, QString(QChar(symbols[number - 1])));
}

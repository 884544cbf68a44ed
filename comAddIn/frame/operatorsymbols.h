#pragma once

#include <QString>
#include <iterator>

namespace porvex
{

// The symbols of the operator toolbar's buttons 1..9, in its order.
inline constexpr char16_t kOperatorSymbols[] = {0xF6A4, 0xF6A3, 0xF6A5, 0xF6AE, 0xF6AF,
                                                0xF6A7, 0xF6A6, 0xF6A8, 0xF6AB};

// The symbol of operator button k, 1..9; empty for any other k.
inline QString OperatorSymbol(int k)
{
    return k >= 1 && k <= int(std::size(kOperatorSymbols)) ? QString(QChar(kOperatorSymbols[k - 1]))
                                                           : QString();
}

} // namespace porvex

#pragma once

#include <QtGlobal>
#include <optional>

// Visual Basic's conversions to whole numbers. Where VB raises Overflow or "Division by
// zero" these give nullopt.
namespace vb
{

// Rounds to the nearest whole number, halves to the even one (0.5 -> 0, 1.5 -> 2,
// -2.5 -> -2), as every VB conversion to an integer does.
double RoundHalfEven(double value);

// CInt: rounded half to even, nullopt outside -32768..32767 or for NaN.
std::optional<qint16> CInt(double value);

// CLng: rounded half to even, nullopt outside the 32-bit range or for NaN.
std::optional<qint32> CLng(double value);

// The operator \: both operands rounded to Longs first, then divided with the fraction
// dropped (towards zero). nullopt when an operand or the quotient does not fit a Long,
// or the divisor rounds to 0.
std::optional<qint32> IntDiv(double dividend, double divisor);

} // namespace vb

#pragma once

#include <QStringView>

// Reading numbers out of text the way Visual Basic does.
namespace vb
{

// Val: the number with which the text begins. Blanks, tabs and line feeds are ignored
// wherever they stand ("  12 34abc" gives 1234). Reads an optional sign, digits, a decimal
// point and an exponent (E or D, optional sign, digits), or a radix prefix &H (hex) or
// &O (octal) and its digits, and stops at the first character that cannot continue the
// number. No number gives 0. A radix number of up to 16 bits is a signed Integer
// ("&HFFFF" gives -1), of up to 32 bits a signed Long; wider ones keep their plain value.
// A decimal number too large for a double gives an infinity (VB would raise Overflow;
// CInt and CLng then report it).
double Val(QStringView text);

// IsNumeric for text: true when the whole text, the blanks Val skips (blanks, tabs and
// line feeds; not the ideographic space) around it aside, is one number in
// the forms Val reads (sign, digits with optional decimal point and exponent, or &H/&O
// with at least one digit). Empty or blank text is not numeric.
bool IsNumeric(QStringView text);

} // namespace vb

#pragma once

#include <QChar>

// The ASCII character classes of formats that know no others (markup names, escapes, hex
// digits), where QChar's own classes would also take letters and digits of other scripts.
namespace platform
{

inline bool isAsciiLetter(QChar ch)
{
    return (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z');
}

inline bool isAsciiDigit(QChar ch)
{
    return ch >= u'0' && ch <= u'9';
}

inline bool isAsciiAlnum(QChar ch)
{
    return isAsciiLetter(ch) || isAsciiDigit(ch);
}

// The value of a hex digit of either case; -1 for any other character.
inline int hexDigitValue(QChar ch)
{
    if (isAsciiDigit(ch))
        return ch.unicode() - u'0';
    if (ch >= u'a' && ch <= u'f')
        return ch.unicode() - u'a' + 10;
    if (ch >= u'A' && ch <= u'F')
        return ch.unicode() - u'A' + 10;
    return -1;
}

} // namespace platform

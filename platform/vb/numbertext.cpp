#include "platform/vb/numbertext.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>

namespace vb
{
namespace
{

// The blanks Val skips; IsNumeric skips the same, so that a text it accepts reads as the
// number it shows.
bool isBlank(QChar ch)
{
    return ch == u' ' || ch == u'\t' || ch == u'\n';
}

bool isDecimalDigit(QChar ch)
{
    return ch >= u'0' && ch <= u'9';
}

int radixDigit(QChar ch, int radix)
{
    const char16_t c = ch.toLower().unicode();
    const int digit = (c >= u'0' && c <= u'9')   ? c - u'0'
                      : (c >= u'a' && c <= u'f') ? c - u'a' + 10
                                                 : -1;
    return digit < radix ? digit : -1;
}

struct ScannedNumber {
    qsizetype end; // the characters the number takes
    double value;
};

// &H / &O numbers take VB's literal types: up to 16 bits an Integer, up to 32 a Long.
std::optional<ScannedNumber> scanRadix(QStringView text, int radix)
{
    qsizetype pos = 2;
    double magnitude = 0;
    for (int digit; pos < text.size() && (digit = radixDigit(text[pos], radix)) >= 0; ++pos)
        magnitude = magnitude * radix + digit;
    if (pos == 2)
        return std::nullopt;
    double value = magnitude;
    if (magnitude <= 0xFFFF)
        value = static_cast<qint16>(static_cast<quint16>(magnitude));
    else if (magnitude <= 0xFFFFFFFFu)
        value = static_cast<qint32>(static_cast<quint32>(magnitude));
    return ScannedNumber{pos, value};
}

// Reads decimal digits at pos into `digits`; returns the position after them.
qsizetype readDigits(QStringView text, qsizetype pos, QByteArray &digits)
{
    for (; pos < text.size() && isDecimalDigit(text[pos]); ++pos)
        digits.append(char(text[pos].unicode()));
    return pos;
}

// The decimal power of the leading digit: 3 for 123.4, -2 for 0.012 (0 for zero).
qint64 leadingPower(const QByteArray &integerDigits, const QByteArray &fractionDigits)
{
    for (qsizetype i = 0; i < integerDigits.size(); ++i) {
        if (integerDigits[i] != '0')
            return integerDigits.size() - i;
    }
    for (qsizetype i = 0; i < fractionDigits.size(); ++i) {
        if (fractionDigits[i] != '0')
            return -i;
    }
    return 0;
}

std::optional<ScannedNumber> scanDecimal(QStringView text)
{
    qsizetype pos = 0;
    const bool negative = pos < text.size() && text[pos] == u'-';
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+'))
        ++pos;

    QByteArray integerDigits;
    QByteArray fractionDigits;
    pos = readDigits(text, pos, integerDigits);
    if (pos < text.size() && text[pos] == u'.')
        pos = readDigits(text, pos + 1, fractionDigits);
    if (integerDigits.isEmpty() && fractionDigits.isEmpty())
        return std::nullopt;

    // The exponent counts only when at least one digit follows its letter and sign.
    QByteArray exponentDigits;
    bool negativeExponent = false;
    if (pos < text.size() && QStringView(u"EeDd").contains(text[pos])) {
        qsizetype exponentPos = pos + 1;
        negativeExponent = exponentPos < text.size() && text[exponentPos] == u'-';
        if (exponentPos < text.size() && (text[exponentPos] == u'-' || text[exponentPos] == u'+'))
            ++exponentPos;
        const qsizetype exponentEnd = readDigits(text, exponentPos, exponentDigits);
        if (!exponentDigits.isEmpty())
            pos = exponentEnd;
    }

    const QByteArray ascii = (integerDigits.isEmpty() ? "0" : integerDigits) + '.' +
                             (fractionDigits.isEmpty() ? "0" : fractionDigits) + 'e' +
                             (negativeExponent ? "-" : "") +
                             (exponentDigits.isEmpty() ? "0" : exponentDigits);
    double magnitude = 0;
    const auto [end, error] =
        std::from_chars(ascii.constData(), ascii.constData() + ascii.size(), magnitude);
    if (error == std::errc::result_out_of_range) {
        // Too large gives an infinity, too small 0; the power of the leading digit tells.
        qint64 exponent = 0;
        for (char digit : exponentDigits)
            exponent = std::min<qint64>(exponent * 10 + (digit - '0'), 1'000'000'000);
        const qint64 power =
            leadingPower(integerDigits, fractionDigits) + (negativeExponent ? -exponent : exponent);
        magnitude = power > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return ScannedNumber{pos, negative ? -magnitude : magnitude};
}

std::optional<ScannedNumber> scanNumber(QStringView text)
{
    if (text.size() >= 2 && text[0] == u'&') {
        const QChar prefix = text[1].toUpper();
        if (prefix == u'H')
            return scanRadix(text, 16);
        if (prefix == u'O')
            return scanRadix(text, 8);
        return std::nullopt;
    }
    return scanDecimal(text);
}

} // namespace

double Val(QStringView text)
{
    QString compact;
    compact.reserve(text.size());
    for (QChar ch : text) {
        if (!isBlank(ch))
            compact.append(ch);
    }
    const std::optional<ScannedNumber> number = scanNumber(compact);
    return number ? number->value : 0.0;
}

bool IsNumeric(QStringView text)
{
    QStringView trimmed = text;
    while (!trimmed.isEmpty() && isBlank(trimmed.front()))
        trimmed = trimmed.sliced(1);
    while (!trimmed.isEmpty() && isBlank(trimmed.back()))
        trimmed.chop(1);
    const std::optional<ScannedNumber> number = scanNumber(trimmed);
    return number && number->end == trimmed.size();
}

} // namespace vb

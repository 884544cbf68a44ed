#include "vbprog/murvel/mainwindow/fontbar.h"

#include "platform/vb/integers.h"
#include "platform/vb/numbertext.h"

namespace
{

constexpr int SmallestTypedSize = 10;
constexpr int LargestTypedSize = 1000;
constexpr int LargestStrokeCount = 99;

// The leading number of a text, rounded as a conversion to an integer rounds.
double RoundedLeadingNumber(const QString &text)
{
    return vb::RoundHalfEven(vb::Val(text));
}

} // namespace

const QStringList &FontSizeItems()
{
    static const QStringList items{"10", "12", "14", "16", "18", "20", "22", "24", "26", "28", "30",
                                   "32", "34", "36", "38", "40", "44", "48", "52", "60", "72"};
    return items;
}

bool IsBaseFontName(const QString &name)
{
    return name == QStringLiteral("標楷體") || name == QStringLiteral("細明體");
}

FontNameEntry FontNameAfterEnter(const QString &text, const QString &currentBase)
{
    if (!IsBaseFontName(text))
        return {currentBase, false};
    return {text, true};
}

QString SizeTextAfterEnter(const QString &text, int currentSize)
{
    if (text.isEmpty())
        return QString::number(currentSize);
    const double value = RoundedLeadingNumber(text);
    if (value < SmallestTypedSize)
        return QString::number(SmallestTypedSize);
    if (value > LargestTypedSize)
        return QString::number(LargestTypedSize);
    return text;
}

std::optional<int> SizeOfText(const QString &text)
{
    if (!vb::IsNumeric(text))
        return std::nullopt;
    const std::optional<qint16> size = vb::CInt(vb::Val(text));
    if (!size)
        return std::nullopt;
    return *size;
}

std::optional<int> StrokeItemAfterEnter(const QString &text)
{
    if (text == QStringLiteral("1-99"))
        return 0;
    const double value = RoundedLeadingNumber(text);
    if (value >= 1 && value <= LargestStrokeCount)
        return int(value);
    return std::nullopt;
}

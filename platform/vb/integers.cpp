#include "platform/vb/integers.h"

#include <cmath>
#include <limits>

namespace vb
{
namespace
{

template<typename Integer> std::optional<Integer> roundedInto(double value)
{
    if (std::isnan(value))
        return std::nullopt;
    const double rounded = RoundHalfEven(value);
    if (rounded < std::numeric_limits<Integer>::min() ||
        rounded > std::numeric_limits<Integer>::max())
        return std::nullopt;
    return static_cast<Integer>(rounded);
}

} // namespace

double RoundHalfEven(double value)
{
    if (!std::isfinite(value))
        return value;
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction > 0.5)
        return floor + 1;
    if (fraction < 0.5)
        return floor;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

std::optional<qint16> CInt(double value)
{
    return roundedInto<qint16>(value);
}

std::optional<qint32> CLng(double value)
{
    return roundedInto<qint32>(value);
}

std::optional<qint32> IntDiv(double dividend, double divisor)
{
    const std::optional<qint32> a = CLng(dividend);
    const std::optional<qint32> b = CLng(divisor);
    if (!a || !b || *b == 0)
        return std::nullopt;
    if (*a == std::numeric_limits<qint32>::min() && *b == -1)
        return std::nullopt;
    return *a / *b;
}

} // namespace vb

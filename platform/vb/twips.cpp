#include "platform/vb/twips.h"

#include "platform/vb/integers.h"

#include <algorithm>
#include <limits>

namespace vb
{
namespace
{

int roundedToInt(double value)
{
    const double clamped = std::clamp<double>(RoundHalfEven(value), std::numeric_limits<int>::min(),
                                              std::numeric_limits<int>::max());
    return static_cast<int>(clamped);
}

} // namespace

// Computed in double, which holds every product of an int and the factor exactly enough,
// and clamped: a hand-edited geometry must not overflow.
int TwipsToPixels(int twips, double dpi)
{
    return dpi > 0 ? roundedToInt(double(twips) * dpi / kTwipsPerInch) : 0;
}

int PixelsToTwips(int pixels, double dpi)
{
    return dpi > 0 ? roundedToInt(double(pixels) * kTwipsPerInch / dpi) : 0;
}

} // namespace vb

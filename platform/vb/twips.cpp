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

int TwipsToPixels(int twips, double dpi)
{
    return dpi > 0 ? roundedToInt(twips * dpi / kTwipsPerInch) : 0;
}

int PixelsToTwips(int pixels, double dpi)
{
    return dpi > 0 ? roundedToInt(pixels * kTwipsPerInch / dpi) : 0;
}

} // namespace vb

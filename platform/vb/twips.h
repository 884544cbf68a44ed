#pragma once

// Twips, the unit in which murvel.ini stores window geometry: 1440 to the logical inch.
namespace vb
{

inline constexpr int kTwipsPerInch = 1440;

// Both round to the nearest whole number, halves to even, and saturate at the limits of
// int; `dpi` is the screen's logical dots per inch and must be positive (0 is returned
// otherwise).
int TwipsToPixels(int twips, double dpi);
int PixelsToTwips(int pixels, double dpi);

} // namespace vb

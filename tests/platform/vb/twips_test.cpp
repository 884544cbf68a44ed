#include "platform/vb/twips.h"

#include <gtest/gtest.h>
#include <limits>

using namespace vb;

TEST(Twips, ConvertAtTheLogicalDpi)
{
    EXPECT_EQ(TwipsToPixels(1440, 96), 96);
    EXPECT_EQ(TwipsToPixels(15, 96), 1);
    EXPECT_EQ(TwipsToPixels(-1440, 120), -120);
    EXPECT_EQ(PixelsToTwips(96, 96), 1440);
    EXPECT_EQ(PixelsToTwips(1, 96), 15);
    EXPECT_EQ(PixelsToTwips(1, 144), 10);
}

TEST(Twips, RoundToNearestHalvesToEven)
{
    EXPECT_EQ(TwipsToPixels(7, 96), 0);  // 0.467
    EXPECT_EQ(TwipsToPixels(8, 96), 1);  // 0.533
    EXPECT_EQ(TwipsToPixels(45, 96), 3); // 3.0
    EXPECT_EQ(TwipsToPixels(22, 96), 1); // 1.467
    EXPECT_EQ(TwipsToPixels(30, 72), 2); // 1.5 -> 2
    EXPECT_EQ(TwipsToPixels(50, 72), 2); // 2.5 -> 2
    EXPECT_EQ(PixelsToTwips(1, 960), 2); // 1.5 -> 2
    EXPECT_EQ(PixelsToTwips(1, 576), 2); // 2.5 -> 2
}

TEST(Twips, NonPositiveDpiGivesZero)
{
    EXPECT_EQ(TwipsToPixels(1440, 0), 0);
    EXPECT_EQ(PixelsToTwips(100, -96), 0);
}

TEST(Twips, LargeValuesSaturateInsteadOfOverflowing)
{
    // A hand-edited left=40000000 twips is 2666667 pixels at 96 dpi.
    EXPECT_EQ(PixelsToTwips(TwipsToPixels(40000000, 96), 96), 40000005);
    EXPECT_EQ(PixelsToTwips(std::numeric_limits<int>::max(), 96), std::numeric_limits<int>::max());
    EXPECT_EQ(PixelsToTwips(std::numeric_limits<int>::min(), 96), std::numeric_limits<int>::min());
    EXPECT_EQ(TwipsToPixels(std::numeric_limits<int>::max(), 1e9), std::numeric_limits<int>::max());
}

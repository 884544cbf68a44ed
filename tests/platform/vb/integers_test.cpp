#include "platform/vb/integers.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace vb;

TEST(VbIntegers, HalvesRoundToEven)
{
    EXPECT_EQ(CInt(0.5), 0);
    EXPECT_EQ(CInt(1.5), 2);
    EXPECT_EQ(CInt(2.5), 2);
    EXPECT_EQ(CInt(3.5), 4);
    EXPECT_EQ(CInt(-0.5), 0);
    EXPECT_EQ(CInt(-1.5), -2);
    EXPECT_EQ(CInt(-2.5), -2);
    EXPECT_EQ(CInt(2.5000001), 3);
    EXPECT_EQ(CInt(-2.4999), -2);
    EXPECT_EQ(CLng(12.4), 12);
    EXPECT_EQ(CLng(1e9 + 0.5), 1000000000);
    EXPECT_EQ(RoundHalfEven(1e300), 1e300);
}

TEST(VbIntegers, CIntRange)
{
    EXPECT_EQ(CInt(32767), 32767);
    EXPECT_EQ(CInt(32767.4), 32767);
    EXPECT_EQ(CInt(32767.5), std::nullopt); // rounds to 32768
    EXPECT_EQ(CInt(32768), std::nullopt);
    EXPECT_EQ(CInt(-32768), -32768);
    EXPECT_EQ(CInt(-32768.5), -32768); // the even neighbour is still in range
    EXPECT_EQ(CInt(-32769), std::nullopt);
    EXPECT_EQ(CInt(std::nan("")), std::nullopt);
    EXPECT_EQ(CInt(std::numeric_limits<double>::infinity()), std::nullopt);
}

TEST(VbIntegers, CLngRange)
{
    EXPECT_EQ(CLng(2147483647.0), 2147483647);
    EXPECT_EQ(CLng(2147483647.5), std::nullopt);
    EXPECT_EQ(CLng(-2147483648.0), std::numeric_limits<qint32>::min());
    EXPECT_EQ(CLng(-2147483648.5), std::numeric_limits<qint32>::min());
    EXPECT_EQ(CLng(-2147483649.0), std::nullopt);
    EXPECT_EQ(CLng(-std::numeric_limits<double>::infinity()), std::nullopt);
}

TEST(VbIntegers, IntegerDivisionRoundsOperandsThenTruncates)
{
    EXPECT_EQ(IntDiv(7, 2), 3);
    EXPECT_EQ(IntDiv(-7, 2), -3);
    EXPECT_EQ(IntDiv(7, -2), -3);
    EXPECT_EQ(IntDiv(2.5, 1), 2);             // 2.5 rounds to 2
    EXPECT_EQ(IntDiv(3.5, 1), 4);             // 3.5 rounds to 4
    EXPECT_EQ(IntDiv(10, 2.5), 5);            // 10 \ 2
    EXPECT_EQ(IntDiv(10, 0.4), std::nullopt); // the divisor rounds to 0
    EXPECT_EQ(IntDiv(1, 0), std::nullopt);
    EXPECT_EQ(IntDiv(3e9, 2), std::nullopt);
    EXPECT_EQ(IntDiv(-2147483648.0, -1), std::nullopt);
    EXPECT_EQ(IntDiv(-2147483648.0, 1), std::numeric_limits<qint32>::min());
}

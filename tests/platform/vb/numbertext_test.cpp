#include "platform/vb/numbertext.h"

#include <QString>
#include <cmath>
#include <gtest/gtest.h>

using namespace vb;

TEST(Val, ReadsTheLeadingNumber)
{
    EXPECT_EQ(Val(u"  12 34abc"), 1234);
    EXPECT_EQ(Val(u"1615 198th Street"), 1615198);
    EXPECT_EQ(Val(u"\t-3\n7"), -37);
    EXPECT_EQ(Val(u"+8"), 8);
    EXPECT_EQ(Val(u"12.5.6"), 12.5);
    EXPECT_EQ(Val(u".5"), 0.5);
    EXPECT_EQ(Val(u"- 2 . 5"), -2.5);
    EXPECT_EQ(Val(u"1,000"), 1);
    EXPECT_EQ(Val(u"18號"), 18);
}

TEST(Val, NoNumberGivesZero)
{
    EXPECT_EQ(Val(u""), 0);
    EXPECT_EQ(Val(u"abc"), 0);
    EXPECT_EQ(Val(u"-"), 0);
    EXPECT_EQ(Val(u"."), 0);
    EXPECT_EQ(Val(u"--1"), 0);
    EXPECT_EQ(Val(u"$5"), 0);
    EXPECT_EQ(Val(u"１２"), 0); // full-width digits are not digits to VB
}

TEST(Val, Exponents)
{
    EXPECT_EQ(Val(u"1e3"), 1000);
    EXPECT_EQ(Val(u"1E-2"), 0.01);
    EXPECT_EQ(Val(u"2.5d+2"), 250);
    EXPECT_EQ(Val(u"1e"), 1);
    EXPECT_EQ(Val(u"1e+x"), 1);
    EXPECT_EQ(Val(u"1 e 2"), 100);
    EXPECT_EQ(Val(u"1e-400"), 0);
    EXPECT_TRUE(std::isinf(Val(u"1e400")));
    EXPECT_LT(Val(u"-1e400"), 0);
    EXPECT_TRUE(std::isinf(Val(QString(400, u'9'))));
    EXPECT_EQ(Val(u"0.0001e-320"), 0);
    EXPECT_EQ(Val(u"1000e-3"), 1);
}

TEST(Val, RadixPrefixes)
{
    EXPECT_EQ(Val(u"&H1F"), 31);
    EXPECT_EQ(Val(u"&h1fz"), 31);
    EXPECT_EQ(Val(u"&O17"), 15);
    EXPECT_EQ(Val(u"&O19"), 1);
    EXPECT_EQ(Val(u"&H"), 0);
    EXPECT_EQ(Val(u"&X1"), 0);
    // VB's literal types: 16-bit Integer, then 32-bit Long.
    EXPECT_EQ(Val(u"&HFFFF"), -1);
    EXPECT_EQ(Val(u"&H8000"), -32768);
    EXPECT_EQ(Val(u"&H7FFF"), 32767);
    EXPECT_EQ(Val(u"&H10000"), 65536);
    EXPECT_EQ(Val(u"&HFFFFFFFF"), -1);
    EXPECT_EQ(Val(u"&O177777"), -1);
}

TEST(IsNumeric, WholeTextMustBeANumber)
{
    for (const char16_t *text : {u"12", u" 12 ", u"-5", u"+0.5", u"12.4", u"1.", u".5", u"1e3",
                                 u"1D-2", u"&H1F", u"&o7", u"0"})
        EXPECT_TRUE(IsNumeric(text)) << QString::fromUtf16(text).toStdString();
    for (const char16_t *text : {u"", u"  ", u"abc", u"12 34", u"12a", u"-", u".", u"1e", u"1e+",
                                 u"&H", u"&HG", u"1.2.3", u"--1"})
        EXPECT_FALSE(IsNumeric(text)) << QString::fromUtf16(text).toStdString();
}

TEST(IsNumeric, AgreesWithValOnTheBlanksItSkips)
{
    // A text IsNumeric accepts must read as its number: a blank that IsNumeric skips in
    // front of the digits, Val must skip too.
    for (const char16_t blank :
         {u' ', u'\t', u'\n', u'\r', u'\v', u'\f', u'\u3000', u'\u00A0', u'\u2003'}) {
        const QString leading = QString(blank) + u"12"_qs;
        EXPECT_EQ(IsNumeric(leading), Val(leading) == 12) << "blank U+" << std::hex << int(blank);
        const QString trailing = u"12"_qs + QString(blank);
        if (IsNumeric(trailing)) {
            EXPECT_EQ(Val(trailing), 12) << "blank U+" << std::hex << int(blank);
        }
    }
    EXPECT_FALSE(IsNumeric(u"\u300012"));
    EXPECT_TRUE(IsNumeric(u" \t12\n"));
}

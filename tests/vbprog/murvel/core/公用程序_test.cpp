#include "tests/vbprog/murvel/core/fixturedatabases.h"
#include "vbprog/murvel/core/公用程序.h"

#include <gtest/gtest.h>

namespace
{

TEST(ZhuyinToneMarksTest, TheToneDigitBecomesItsMark)
{
    EXPECT_EQ(ZhuyinToneMarks("ㄧ1"), "ㄧ");
    EXPECT_EQ(ZhuyinToneMarks("ㄇㄧㄥ2"), "ㄇㄧㄥˊ");
    EXPECT_EQ(ZhuyinToneMarks("ㄏㄠ3"), "ㄏㄠˇ");
    EXPECT_EQ(ZhuyinToneMarks("ㄇㄨ4"), "ㄇㄨˋ");
    EXPECT_EQ(ZhuyinToneMarks("ㄉㄜ5"), "˙ㄉㄜ");
}

TEST(ZhuyinToneMarksTest, OtherLastCharactersAreDroppedAndEmptyStaysEmpty)
{
    EXPECT_EQ(ZhuyinToneMarks("ㄅx"), "ㄅ");
    EXPECT_EQ(ZhuyinToneMarks("5"), "˙");
    EXPECT_EQ(ZhuyinToneMarks(""), "");
}

TEST(CangjieCodeToRadicalsTest, LettersBecomeRadicals)
{
    EXPECT_EQ(CangjieCodeToRadicals("ABC"), "日月金");
    EXPECT_EQ(CangjieCodeToRadicals("XYZ"), "難卜重");
    EXPECT_EQ(CangjieCodeToRadicals(""), "");
}

TEST(CangjieCodeToRadicalsTest, LowerCaseCountsAsCapitalsAndOtherCharactersAreLeftOut)
{
    EXPECT_EQ(CangjieCodeToRadicals("vnd"), "女弓木");
    EXPECT_EQ(CangjieCodeToRadicals("A-1 @[Z"), "日重");
    EXPECT_EQ(CangjieCodeToRadicals(QString(QChar(0x0131)) + "Ａ"), ""); // not ASCII letters
}

class RadicalGlyphTest : public FixtureTest
{
protected:
    void SetUp() override { OpenFixture(BasicFixture); }
};

TEST_F(RadicalGlyphTest, ARadicalNumberGivesItsGlyph)
{
    EXPECT_EQ(KangxiRadicalGlyph(72), "日");
    EXPECT_EQ(KangxiRadicalGlyph(75), "木");
    EXPECT_EQ(ShuowenRadicalGlyph(1), "一");
}

TEST_F(RadicalGlyphTest, ANumberWithoutARadicalGivesTheEmptyText)
{
    EXPECT_EQ(KangxiRadicalGlyph(2), "");
    EXPECT_EQ(KangxiRadicalGlyph(72 + 65536), ""); // not narrowed onto 72
    EXPECT_EQ(KangxiRadicalGlyph(-1), "");
    EXPECT_EQ(ShuowenRadicalGlyph(72), "");
}

} // namespace

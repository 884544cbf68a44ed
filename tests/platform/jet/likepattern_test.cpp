#include "platform/jet/likepattern.h"

#include <gtest/gtest.h>

namespace
{

struct Case {
    const char *pattern;
    const char *text;
    bool matches;
};

void expectCases(std::initializer_list<Case> cases)
{
    for (const Case &c : cases) {
        const jet::LikePattern pattern(QString::fromUtf8(c.pattern));
        EXPECT_TRUE(pattern.isValid()) << c.pattern;
        EXPECT_EQ(pattern.matches(QString::fromUtf8(c.text)), c.matches)
            << "'" << c.text << "' Like '" << c.pattern << "'";
    }
}

TEST(LikePattern, WildcardsOutsideBrackets)
{
    expectCases({
        {"*", "", true},
        {"*", "木口", true},
        {"", "", true},
        {"", "口", false},
        {"口", "口", true},
        {"口", "口口", false},
        {"*口*", "木口木", true},
        {"*口*", "木木", false},
        {"木*", "木", true},
        {"*木", "口木", true},
        {"*木", "木口", false},
        {"木**口", "木口", true},
        // Backtracking: the first 口 after 木 is not the one the pattern needs.
        {"*木*口*口", "木口木口", true},
        {"木*口*林", "木口木口林", true},
        {"木*口*林", "木口木口", false},
        {"??", "口木", true},
        {"??", "口", false},
        {"?", "", false},
        {"#", "7", true},
        {"#", "x", false},
        {"#", "７", false}, // a full-width digit is not a digit 0-9
        {"a#b", "a0b", true},
    });
}

TEST(LikePattern, Brackets)
{
    expectCases({
        {"[口木]", "木", true},   {"[口木]", "林", false},
        {"[!口木]", "林", true},  {"[!口木]", "口", false},
        {"[!口木]", "", false},   {"[a-c]x", "bx", true},
        {"[a-c]x", "dx", false},  {"[!a-c]", "d", true},
        {"[一-龥]", "林", true}, // a range of CJK ideographs
        {"[一-龥]", "a", false},  {"[a-]", "-", true},
        {"[-a]", "-", true},      {"[-a]", "b", false},
        {"a[*]b", "a*b", true},   {"a[*]b", "axb", false},
        {"[?]", "?", true},       {"[?]", "x", false},
        {"[#]", "#", true},       {"[#]", "1", false},
        {"a[]b", "ab", true},     {"[[]", "[", true},
        {"]", "]", true},         {"[!]", "!", true},
        {"*[!口]", "木木", true},
    });
}

TEST(LikePattern, SupplementaryAndPrivateUseCharactersAreOneCharacter)
{
    expectCases({
        {"?", "𠀋", true},
        {"??", "𠀋", false},
        {"[𠀀-𠀏]", "𠀋", true},
        {"[𠀀-𠀏]", "𠀐", false},
        {"*𠀋*", "口𠀋木", true},
        {"[!𠀋]", "𠀋", false},
        {"?\uF6A3?", "木\uF6A3口", true},
        {"[\uF6A3-\uF6B0]*", "\uF6A7木", true},
    });
}

TEST(LikePattern, MalformedPatternsAreInvalid)
{
    for (const char *pattern : {"[口", "木[!", "[z-a]", "*[木-口]"}) {
        const jet::LikePattern like(QString::fromUtf8(pattern));
        EXPECT_FALSE(like.isValid()) << pattern;
        EXPECT_FALSE(like.matches(QStringLiteral("口"))) << pattern;
    }
}

TEST(DecodeUtf8, GivesCodePointsAndReplacesMalformedBytes)
{
    EXPECT_EQ(jet::decodeUtf8("a\xE5\x8F\xA3"), std::u32string(U"a口"));
    EXPECT_EQ(jet::decodeUtf8("\xF0\xA0\x80\x8B"), std::u32string(U"𠀋"));
    EXPECT_EQ(jet::decodeUtf8("\xE5\x8F"), std::u32string(U"\uFFFD\uFFFD"));
    EXPECT_EQ(jet::decodeUtf8("\x80x"), std::u32string(U"\uFFFDx"));
}

} // namespace

#include "platform/office/word/findpattern.h"

#include <gtest/gtest.h>

using word::FindPattern;

namespace
{

int find(const FindPattern &pattern, const QString &text, int from = 0, int *length = nullptr)
{
    int matched = 0;
    const int at = pattern.indexIn(text, from, int(text.size()), &matched);
    if (length != nullptr)
        *length = matched;
    return at;
}

} // namespace

TEST(FindPattern, ClassOfPrivateUseOperatorsFindsEachInTurn)
{
    const FindPattern operators(QStringLiteral("[\uF6A3-\uF6AE]"), true);
    const QString text = QStringLiteral("口\uF6A4木 \uF6AF \uF6AE");
    EXPECT_EQ(find(operators, text), 1);
    EXPECT_EQ(find(operators, text, 2), 6) << "U+F6AF lies outside the class";
    EXPECT_EQ(find(operators, QStringLiteral("plain")), -1);
}

TEST(FindPattern, WildcardElements)
{
    int length = 0;
    EXPECT_EQ(find(FindPattern(QStringLiteral("a?c"), true), QStringLiteral("xxabcx"), 0, &length),
              2);
    EXPECT_EQ(length, 3);
    EXPECT_EQ(find(FindPattern(QStringLiteral("[!a-z]"), true), QStringLiteral("abc1")), 3);
    EXPECT_EQ(find(FindPattern(QStringLiteral("[xyz]"), true), QStringLiteral("abz")), 2);
    EXPECT_EQ(find(FindPattern(QStringLiteral("\\?"), true), QStringLiteral("ab?")), 2);
    // An unclosed class is the characters it is written with.
    EXPECT_EQ(find(FindPattern(QStringLiteral("[a"), true), QStringLiteral("x[a")), 1);
    EXPECT_EQ(find(FindPattern(QString(), true), QStringLiteral("abc")), -1);
}

TEST(FindPattern, PlainTextIgnoresCaseAndStaysWithinTheSpan)
{
    const FindPattern plain(QStringLiteral("AB"), false);
    int length = 0;
    EXPECT_EQ(plain.indexIn(QStringLiteral("xxab"), 0, 4, &length), 2);
    EXPECT_EQ(plain.indexIn(QStringLiteral("xxab"), 0, 3, &length), -1);
    // Wildcard characters are plain characters without wildcards.
    EXPECT_EQ(find(FindPattern(QStringLiteral("[a]"), false), QStringLiteral("a[a]")), 1);
}

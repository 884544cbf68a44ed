#include "vbprog/murvel/core/typefacenames.h"
#include "vbprog/murvel/core/公用變數.h"

#include <gtest/gtest.h>

namespace
{

const QString Kai = QStringLiteral("標楷體");
const QString Ming = QStringLiteral("細明體");

class TypefaceNamesTest : public ::testing::Test
{
protected:
    void TearDown() override { gBaseFontName = m_savedBase; }

private:
    QString m_savedBase = gBaseFontName;
};

TEST_F(TypefaceNamesTest, CanonicalNameTurnsOnlyTheMingBaseBackIntoKai)
{
    gBaseFontName = Ming;
    EXPECT_EQ(CanonicalFontName(Ming), Kai);
    EXPECT_EQ(CanonicalFontName(QStringLiteral("細明體外字集一")),
              QStringLiteral("細明體外字集一"));
    EXPECT_EQ(CanonicalFontName(QStringLiteral("新細明體")), QStringLiteral("新細明體"));
    EXPECT_EQ(CanonicalFontName(Kai), Kai);

    gBaseFontName = Kai;
    EXPECT_EQ(CanonicalFontName(Ming), Ming);
}

TEST_F(TypefaceNamesTest, DisplayNameFollowsTheMingBaseOnly)
{
    gBaseFontName = Ming;
    EXPECT_EQ(DisplayFontName(Kai), Ming);
    EXPECT_EQ(DisplayFontName(QStringLiteral("標楷體外字集三")), QStringLiteral("細明體外字集三"));
    EXPECT_EQ(DisplayFontName(QStringLiteral("標楷體標楷體")), QStringLiteral("細明體標楷體"));
    EXPECT_EQ(DisplayFontName(QStringLiteral("北師大說文小篆")), QStringLiteral("北師大說文小篆"));

    gBaseFontName = Kai;
    for (const QString &name : {Kai, Ming, QStringLiteral("標楷體外字集三")})
        EXPECT_EQ(DisplayFontName(name), name);
}

TEST_F(TypefaceNamesTest, SwapFollowsTheBaseInBothDirections)
{
    gBaseFontName = Kai;
    EXPECT_EQ(SwapBaseFontName(QStringLiteral("細明體外字集二")), QStringLiteral("標楷體外字集二"));
    EXPECT_EQ(SwapBaseFontName(QStringLiteral("細明體細明體")), QStringLiteral("標楷體細明體"));
    EXPECT_EQ(SwapBaseFontName(Kai), Kai);
    EXPECT_EQ(SwapBaseFontName(QStringLiteral("zodi")), QStringLiteral("zodi"));

    gBaseFontName = Ming;
    EXPECT_EQ(SwapBaseFontName(QStringLiteral("細明體外字集二")), QStringLiteral("細明體外字集二"));
    EXPECT_EQ(SwapBaseFontName(QStringLiteral("標楷體外字集二")), QStringLiteral("細明體外字集二"));
}

} // namespace

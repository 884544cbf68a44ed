#include "platform/fonts/operatorfont.h"
#include "platform/fonts/typefacetable.h"

#include <gtest/gtest.h>

// No font file is registered in this test program, so every face shows its stand-in.

namespace
{

const QString kai = QStringLiteral("AR PL UKai TW");
const QString ming = QStringLiteral("AR PL UMing TW");
// The fallback for the CJK extensions (fonts-hanazono).
const QString hanaA = QStringLiteral("HanaMinA");
const QString hanaB = QStringLiteral("HanaMinB");

const QStringList setNumbers = {"一", "二", "三", "四", "五", "六", "七", "八"};

} // namespace

TEST(TypefaceTable, BaseFacesMapToTheArphicFamilies)
{
    const QString operators = fonts::operatorFamily();
    EXPECT_EQ(fonts::familiesFor("標楷體"), QStringList({kai, operators, hanaA, hanaB}));
    EXPECT_EQ(fonts::familiesFor("細明體"), QStringList({ming, operators, hanaA, hanaB}));
    EXPECT_EQ(fonts::familiesFor("新細明體"), QStringList({ming, operators, hanaA, hanaB}));
}

TEST(TypefaceTable, FaceWithoutItsFileFallsBackToTheBaseFamilyOfItsSet)
{
    const QString operators = fonts::operatorFamily();
    for (const QString &number : setNumbers) {
        EXPECT_EQ(fonts::familiesFor("標楷體外字集" + number),
                  QStringList({kai, operators, hanaA, hanaB}));
        EXPECT_EQ(fonts::familiesFor("細明體外字集" + number),
                  QStringList({ming, operators, hanaA, hanaB}));
    }
    for (const char *face : {"北師大說文小篆", "北師大說文重文", "Ombrel金文", "Ombrel甲骨文",
                             "Ombrel楚系文字", "hzkf", "qel98m"})
        EXPECT_EQ(fonts::familiesFor(face), QStringList({kai, operators, hanaA, hanaB})) << face;
}

TEST(TypefaceTable, OtherNamesComeFirstWithKaiAndTheOperatorsBehind)
{
    const QString operators = fonts::operatorFamily();
    EXPECT_EQ(fonts::familiesFor("Times New Roman"),
              QStringList({"Times New Roman", kai, operators, hanaA, hanaB}));
    EXPECT_EQ(fonts::familiesFor("zodi"), QStringList({"zodi", kai, operators, hanaA, hanaB}));
    // Names match exactly: a changed case or a trailing blank is another name.
    EXPECT_EQ(fonts::familiesFor("HZKF"), QStringList({"HZKF", kai, operators, hanaA, hanaB}));
    EXPECT_EQ(fonts::familiesFor("細明體 "),
              QStringList({"細明體 ", kai, operators, hanaA, hanaB}));
    // An installed family named directly is not listed twice.
    EXPECT_EQ(fonts::familiesFor(kai), QStringList({kai, operators, hanaA, hanaB}));
}

TEST(TypefaceTable, EmptyNameIsTheDefaultFace)
{
    EXPECT_EQ(fonts::familiesFor(QString()), fonts::familiesFor("標楷體"));
}

TEST(TypefaceTable, FontCarriesTheFamiliesAndTheSize)
{
    const QFont font = fonts::fontFor("細明體外字集二", 36.5);
    EXPECT_EQ(font.families(), QStringList({ming, fonts::operatorFamily(), hanaA, hanaB}));
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 36.5);
}

TEST(TypefaceTable, OnlyTheFacesWithoutAPackageComeFromFiles)
{
    const QStringList names = fonts::fileFaceNames();
    EXPECT_EQ(names.size(), 16 + 7);
    for (const QString &number : setNumbers) {
        EXPECT_TRUE(names.contains("標楷體外字集" + number));
        EXPECT_TRUE(names.contains("細明體外字集" + number));
    }
    EXPECT_TRUE(names.contains("qel98m"));
    EXPECT_FALSE(names.contains("標楷體"));
    EXPECT_FALSE(names.contains("新細明體"));
}

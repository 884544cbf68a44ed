#include "platform/fonts/componenttypeface.h"
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

// The families that draw private-use characters come first: they draw nothing else.
QStringList privateUse(fonts::TypefaceStyle style)
{
    return {fonts::componentFamily(style), fonts::operatorFamily(), fonts::privateUseBoxFamily()};
}
const QStringList kaiPrivateUse = privateUse(fonts::TypefaceStyle::Kai);
const QStringList mingPrivateUse = privateUse(fonts::TypefaceStyle::Ming);

} // namespace

TEST(TypefaceTable, BaseFacesMapToTheArphicFamiliesBehindTheComponentTypefaceOfTheirStyle)
{
    EXPECT_EQ(fonts::familiesFor("標楷體"), kaiPrivateUse + QStringList({kai, hanaA, hanaB}));
    EXPECT_EQ(fonts::familiesFor("細明體"), mingPrivateUse + QStringList({ming, hanaA, hanaB}));
    EXPECT_EQ(fonts::familiesFor("新細明體"), mingPrivateUse + QStringList({ming, hanaA, hanaB}));
}

TEST(TypefaceTable, FaceWithoutItsFileFallsBackToTheBaseFamilyOfItsSet)
{
    for (const QString &number : setNumbers) {
        EXPECT_EQ(fonts::familiesFor("標楷體外字集" + number),
                  kaiPrivateUse + QStringList({kai, hanaA, hanaB}));
        EXPECT_EQ(fonts::familiesFor("細明體外字集" + number),
                  mingPrivateUse + QStringList({ming, hanaA, hanaB}));
        EXPECT_EQ(fonts::privateUseFamilies("細明體外字集" + number), mingPrivateUse);
    }
    for (const char *face : {"北師大說文小篆", "北師大說文重文", "Ombrel金文", "Ombrel甲骨文",
                             "Ombrel楚系文字", "hzkf", "qel98m"})
        EXPECT_EQ(fonts::familiesFor(face), kaiPrivateUse + QStringList({kai, hanaA, hanaB}))
            << face;
}

TEST(TypefaceTable, OtherNamesComeFirstAmongTheInstalledFamiliesWithKaiBehind)
{
    EXPECT_EQ(fonts::familiesFor("Times New Roman"),
              kaiPrivateUse + QStringList({"Times New Roman", kai, hanaA, hanaB}));
    EXPECT_EQ(fonts::familiesFor("zodi"), kaiPrivateUse + QStringList({"zodi", kai, hanaA, hanaB}));
    // Names match exactly: a changed case or a trailing blank is another name.
    EXPECT_EQ(fonts::familiesFor("HZKF"), kaiPrivateUse + QStringList({"HZKF", kai, hanaA, hanaB}));
    EXPECT_EQ(fonts::familiesFor("細明體 "),
              kaiPrivateUse + QStringList({"細明體 ", kai, hanaA, hanaB}));
    // An installed family named directly is not listed twice.
    EXPECT_EQ(fonts::familiesFor(kai), kaiPrivateUse + QStringList({kai, hanaA, hanaB}));
}

TEST(TypefaceTable, ThePrivateUseFamiliesFollowTheStyleOfTheFace)
{
    EXPECT_EQ(fonts::privateUseFamilies("標楷體"), kaiPrivateUse);
    EXPECT_EQ(fonts::privateUseFamilies("新細明體"), mingPrivateUse);
    EXPECT_EQ(fonts::privateUseFamilies(QString()), kaiPrivateUse);
    EXPECT_EQ(fonts::privateUseFamilies("Liberation Serif"), kaiPrivateUse);
}

TEST(TypefaceTable, EmptyNameIsTheDefaultFace)
{
    EXPECT_EQ(fonts::familiesFor(QString()), fonts::familiesFor("標楷體"));
}

TEST(TypefaceTable, FontCarriesTheFamiliesAndTheSize)
{
    const QFont font = fonts::fontFor("細明體外字集二", 36.5);
    EXPECT_EQ(font.families(), mingPrivateUse + QStringList({ming, hanaA, hanaB}));
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
    const QStringList endUserDefined = fonts::endUserDefinedFaceNames();
    EXPECT_EQ(endUserDefined.size(), 16);
    EXPECT_EQ(endUserDefined.first(), "標楷體外字集一");
    EXPECT_EQ(endUserDefined.last(), "細明體外字集八");
}

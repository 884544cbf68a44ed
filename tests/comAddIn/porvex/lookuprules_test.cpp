#include "comAddIn/porvex/lookuprules.h"

#include <gtest/gtest.h>

using namespace porvex;

namespace
{

const QString Beside = QStringLiteral("\uF6A4");
const QString Above = QStringLiteral("\uF6A3");
const QString Around = QStringLiteral("\uF6A5");
const QString Twice = QStringLiteral("\uF6A6");
const QString Open = QStringLiteral("\uF6AE");
const QString Close = QStringLiteral("\uF6AF");

TEST(KeyOfFoundFormula, TheLastInfixOperatorGivesTheKindAndTheRestAreComponents)
{
    EXPECT_EQ(KeyOfFoundFormula("日" + Beside + "月" + Above + "口"),
              (FormulaKey{2, QStringLiteral("日月口")}));
    EXPECT_EQ(KeyOfFoundFormula(Twice + "木"), (FormulaKey{5, Twice + "木"}));
    EXPECT_EQ(KeyOfFoundFormula(Open + "日" + Above + "月" + Close),
              (FormulaKey{4, "日" + Above + "月"}));
    // An opening bracket that is never closed is an ordinary character.
    EXPECT_EQ(KeyOfFoundFormula(Open + "日" + Beside + "月"), (FormulaKey{1, Open + "日月"}));
}

TEST(ComposeResultText, JoinsTheComponentsByTheirKindWhenTheGlyphHasNoCharacter)
{
    EXPECT_EQ(ComposeResultText("明", 1, "日月"), "明");
    EXPECT_EQ(ComposeResultText({}, 1, "日月"), "日" + Beside + "月");
    EXPECT_EQ(ComposeResultText({}, 3, "口" + Twice + "木" + "人"),
              "口" + Around + Twice + "木" + Around + "人");
    EXPECT_EQ(ComposeResultText({}, 5, Twice + "木"), Twice + "木");
    for (int kind : {0, 4, 9})
        EXPECT_EQ(ComposeResultText({}, kind, "日月"), Open + "日月" + Close) << kind;
}

TEST(EudcFaceName, NamesTheSetInTheFamilyOfTheStyle)
{
    EXPECT_EQ(EudcFaceName("標楷體", 1), "標楷體外字集一");
    EXPECT_EQ(EudcFaceName("Ombrel楷書", 8), "標楷體外字集八");
    EXPECT_EQ(EudcFaceName("細明體", 3), "細明體外字集三");
    EXPECT_EQ(EudcFaceName("Arial", 3), "細明體外字集三");
    EXPECT_EQ(EudcFaceName("標楷體", 0), QString());
    EXPECT_EQ(EudcFaceName("標楷體", 9), QString());
    EXPECT_EQ(EudcFaceName("標楷體", -1), QString());
}

TEST(WriteFor, AnAncientScriptTypefaceTakesItsOwnTextAndKeepsTheTypeface)
{
    const ChosenCandidate chosen{{}, "\uE010", {}, 3};
    const ScriptTexts scripts{"\uE811", "\uE812", {}, {}};
    EXPECT_EQ(WriteFor(chosen, scripts, "北師大說文重文").text, "\uE811");
    const GlyphWrite bronze = WriteFor(chosen, scripts, "Ombrel金文");
    EXPECT_EQ(bronze.text, "\uE812");
    EXPECT_FALSE(bronze.face);
    // No oracle-bone text: the code in the set of the typeface's family.
    const GlyphWrite oracle = WriteFor(chosen, scripts, "Ombrel甲骨文");
    EXPECT_EQ(oracle.text, "\uE010");
    EXPECT_EQ(oracle.face, "細明體外字集三");
    EXPECT_EQ(WriteFor(chosen, scripts, "標楷體").face, "標楷體外字集三");
}

TEST(WriteFor, FaceCodesWithoutASetKeepTheTypefaceOfTheText)
{
    EXPECT_FALSE(WriteFor({}, {}, "標楷體").writes());
    EXPECT_FALSE(WriteFor({"明", "明", {}, 0}, {}, "標楷體").face);
    EXPECT_FALSE(WriteFor({{}, "\uE001", {}, 9}, {}, "標楷體").face);
    EXPECT_FALSE(WriteFor({{}, "\uE001", {}, 20}, {}, "標楷體").face);
    EXPECT_FALSE(WriteFor({{}, "\uE001", {}, -1}, {}, "標楷體").face);
    EXPECT_EQ(WriteFor({{}, "\uE001", "qel98m", -1}, {}, "標楷體").face, "qel98m");
    EXPECT_EQ(WriteFor({{}, "\uE001", {}, -1}, {}, "標楷體").text, "\uE001");
}

} // namespace

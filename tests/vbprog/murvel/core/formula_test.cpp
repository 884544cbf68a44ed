#include "tests/vbprog/murvel/core/operatortable.h"
#include "vbprog/murvel/core/formula.h"

#include <gtest/gtest.h>

namespace
{

const QString H = OperatorSymbol(OperatorCodes::Beside);    // operator 1, left-right
const QString V = OperatorSymbol(OperatorCodes::Above);     // operator 2, top-bottom
const QString C = OperatorSymbol(OperatorCodes::Enclosing); // operator 3, enclosure
const QString Twice = OperatorSymbol(OperatorCodes::Twice); // operator 5, repeats twice
const QString Open = OperatorSymbol(OperatorCodes::OpenBracket);
const QString Close = OperatorSymbol(OperatorCodes::CloseBracket);

class FormulaTest : public ::testing::Test
{
protected:
    void SetUp() override { LoadStandardOperators(); }
};

TEST_F(FormulaTest, FindOperatorMatchesOneSymbolWithinTheRange)
{
    EXPECT_EQ(FindOperator(QString(), 1, 14), 0);
    EXPECT_EQ(FindOperator(H + H, 1, 14), 0);
    EXPECT_EQ(FindOperator(H, 1, 14), 1);
    EXPECT_EQ(FindOperator(H, 2, 3), 0);
    EXPECT_EQ(FindOperator(Open, 1, 14), 12);
    EXPECT_EQ(FindOperator(Twice, 4, 11), 5);
    EXPECT_EQ(FindOperator(QStringLiteral("木"), 1, 14), 0);
    EXPECT_EQ(FindOperator(H, 3, 2), 0);
}

TEST_F(FormulaTest, FindOperatorClampsBoundsOutsideTheTable)
{
    EXPECT_EQ(FindOperator(H, -5, 40), 1);
    EXPECT_EQ(FindOperator(QString(QChar(0xF6B0)), 0, 99), 14);
    EXPECT_EQ(FindOperator(H, 15, 20), 0);
}

TEST_F(FormulaTest, AnIncompleteTableFindsNothingForMissingNumbers)
{
    OperatorTable table;
    table.setSymbol(2, V);
    EXPECT_FALSE(table.isComplete());
    EXPECT_EQ(table.find(QString(), 1, 14), 0); // empty entries never match
    EXPECT_EQ(table.find(V, 1, 14), 2);
    EXPECT_FALSE(table.setSymbol(15, H));
    EXPECT_FALSE(table.setSymbol(0, H));
}

TEST_F(FormulaTest, JoinFormulaRebuildsTheText)
{
    EXPECT_EQ(JoinFormula(0, "AB"), "AB");
    EXPECT_EQ(JoinFormula(1, "AB"), "A" + H + "B");
    EXPECT_EQ(JoinFormula(2, "A" + Twice + "BC"), "A" + V + Twice + "B" + V + "C");
    EXPECT_EQ(JoinFormula(3, "A"), "A");
    EXPECT_EQ(JoinFormula(4, "A" + H + "B"), Open + "A" + H + "B" + Close);
    EXPECT_EQ(JoinFormula(5, Twice + "A"), Twice + "A");
    EXPECT_EQ(JoinFormula(4, Twice + "A"), Twice + "A");
    EXPECT_EQ(JoinFormula(9, "AB"), Open + "AB" + Close);
    EXPECT_EQ(JoinFormula(std::nullopt, "AB"), Open + "AB" + Close);
    EXPECT_EQ(JoinFormula(1, QString()), QString());
}

TEST_F(FormulaTest, JoinFormulaLeavesOnlyAShortTextThatOpensWithAnOperatorUnbracketed)
{
    EXPECT_EQ(JoinFormula(5, H), H);                                      // a lone operator
    EXPECT_EQ(JoinFormula(4, Twice + "AB"), Open + Twice + "AB" + Close); // three characters
    EXPECT_EQ(JoinFormula(5, "A" + Twice), Open + "A" + Twice + Close);   // a component first
    EXPECT_EQ(JoinFormula(9, QString()), Open + Close);
}

TEST_F(FormulaTest, JoinFormulaEndsAtATrailingPrefixOperator)
{
    EXPECT_EQ(JoinFormula(1, "A" + Twice), "A" + H + Twice);
}

TEST_F(FormulaTest, JoinFormulaNeverDropsAComponentWhenTheOperatorIsMissing)
{
    OperatorTable saved = gOperatorSymbols;
    gOperatorSymbols = OperatorTable();
    gOperatorSymbols.setSymbol(1, H);
    EXPECT_EQ(JoinFormula(2, "AB"), "AB");
    gOperatorSymbols = saved;
}

TEST_F(FormulaTest, HasLikeWildcardIsASubstringTestOfThePatternCharacters)
{
    EXPECT_TRUE(HasLikeWildcard("#"));
    EXPECT_TRUE(HasLikeWildcard("-"));
    EXPECT_TRUE(HasLikeWildcard("[]"));
    EXPECT_TRUE(HasLikeWildcard(QString()));
    EXPECT_FALSE(HasLikeWildcard("A"));
    EXPECT_FALSE(HasLikeWildcard("口"));
    EXPECT_FALSE(HasLikeWildcard("*#"));
}

TEST_F(FormulaTest, FormulaKeyTakesTheLastInfixOperator)
{
    EXPECT_EQ(FormulaKeyOf("A" + H + "B"), (FormulaKey{1, "AB"}));
    EXPECT_EQ(FormulaKeyOf("A" + H + "B" + V + "C"), (FormulaKey{2, "ABC"}));
    EXPECT_EQ(FormulaKeyOf("A" + C + "B"), (FormulaKey{3, "AB"}));
    EXPECT_EQ(FormulaKeyOf(Twice + "A"), (FormulaKey{5, Twice + "A"}));
    EXPECT_EQ(FormulaKeyOf("AB"), (FormulaKey{5, "AB"}));
}

TEST_F(FormulaTest, FormulaKeyOfABracketIsTheTextBetween)
{
    EXPECT_EQ(FormulaKeyOf(Open + "A" + H + "B" + Close), (FormulaKey{4, "A" + H + "B"}));
    EXPECT_EQ(FormulaKeyOf(Open), (FormulaKey{4, QString()}));
    EXPECT_EQ(FormulaKeyOf(Open + Close), (FormulaKey{4, QString()}));
}

TEST(OperatorCodesTest, TheStandardCodesFollowTheOperatorNumbers)
{
    const QString byNumber = u"\uF6A4\uF6A3\uF6A5\uF6A6\uF6A7\uF6A8\uF6A9\uF6AA\uF6AB\uF6AC"
                             u"\uF6AD\uF6AE\uF6AF\uF6B0"_qs;
    for (int number = 1; number <= OperatorNumbers::Count; ++number)
        EXPECT_EQ(QChar(StandardOperatorCode(number)), byNumber[number - 1]) << number;
    EXPECT_EQ(StandardOperatorCode(0), 0);
    EXPECT_EQ(StandardOperatorCode(15), 0);
}

TEST(OperatorCodesTest, TheRangesSortTheOperators)
{
    for (char16_t c = 0xF6A3; c <= 0xF6B0; ++c)
        EXPECT_TRUE(IsOperatorSymbol(QChar(c))) << int(c);
    EXPECT_FALSE(IsOperatorSymbol(QChar(0xF6A2)));
    EXPECT_FALSE(IsOperatorSymbol(QChar(0xF6B1)));
    EXPECT_TRUE(IsInfixOperator(QChar(0xF6A5)));
    EXPECT_FALSE(IsInfixOperator(QChar(0xF6A6)));
    EXPECT_TRUE(IsPrefixOperator(QChar(0xF6A6)));
    EXPECT_TRUE(IsPrefixOperator(QChar(0xF6AD)));
    EXPECT_FALSE(IsPrefixOperator(QChar(0xF6AE)));
    EXPECT_TRUE(TakesNextCharacter(QChar(0xF6A3)));
    EXPECT_TRUE(TakesNextCharacter(QChar(0xF6AD)));
    EXPECT_FALSE(TakesNextCharacter(QChar(0xF6AE)));
    EXPECT_EQ(InfixKind(QChar(0xF6A4)), 1);
    EXPECT_EQ(InfixKind(QChar(0xF6A3)), 2);
    EXPECT_EQ(InfixKind(QChar(0xF6A5)), 3);
    EXPECT_EQ(InfixKind(QChar(0xF6A6)), 0);
    EXPECT_EQ(InfixKind(u'A'), 0);
}

TEST_F(FormulaTest, PrefixRepeatCountsFollowTheOperatorGroups)
{
    EXPECT_EQ(PrefixRepeatCount(4), 2);
    EXPECT_EQ(PrefixRepeatCount(5), 2);
    EXPECT_EQ(PrefixRepeatCount(8), 3);
    EXPECT_EQ(PrefixRepeatCount(9), 4);
    EXPECT_EQ(PrefixRepeatCount(11), 4);
    EXPECT_EQ(PrefixRepeatCount(3), 0);
    EXPECT_EQ(PrefixRepeatCount(12), 0);
}

} // namespace

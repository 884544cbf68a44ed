#include "comAddIn/porvex/operatorsymbols.h"

#include <gtest/gtest.h>

// Inside the add-in's namespace, as its converters call them.
namespace porvex
{
namespace
{

TEST(OperatorSymbolsTest, ACodePointGivesItsSymbolInsideTheAddIn)
{
    EXPECT_EQ(OperatorSymbol(OperatorCodes::Beside), u"\uF6A4"_qs);
    EXPECT_EQ(OperatorSymbol(OperatorCodes::CloseBracket), u"\uF6AF"_qs);
}

TEST(OperatorSymbolsTest, TheButtonsGiveTheToolbarsSymbolsInOrder)
{
    const QString symbols = u"\uF6A4\uF6A3\uF6A5\uF6AE\uF6AF\uF6A7\uF6A6\uF6A8\uF6AB"_qs;
    for (int k = 1; k <= 9; ++k)
        EXPECT_EQ(OperatorButtonSymbol(k), symbols.mid(k - 1, 1)) << k;
    EXPECT_TRUE(OperatorButtonSymbol(0).isEmpty());
    EXPECT_TRUE(OperatorButtonSymbol(10).isEmpty());
}

} // namespace
} // namespace porvex

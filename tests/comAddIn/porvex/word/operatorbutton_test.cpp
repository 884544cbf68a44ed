#include "comAddIn/porvex/operatorsymbols.h"
#include "tests/comAddIn/porvex/word/wordrun.h"

using namespace wordrun;

namespace
{

TEST_F(WordRunTest, AnOperatorButtonTypesItsSymbolOverTheSelectionAndMovesPastIt)
{
    word::Document *document = openParagraphs({"日xy月"});
    ASSERT_NE(document, nullptr);
    word::Range &selection = *m_word.selection();
    selection.setRange(1, 3);
    ASSERT_TRUE(porvex::InsertOperator(m_word, 1).ok());
    EXPECT_EQ(document->content()->text(), "日" + Beside + "月\r");
    EXPECT_EQ(selection.start(), 2);
    EXPECT_EQ(selection.end(), 2);

    ASSERT_TRUE(porvex::InsertOperator(m_word, 9).ok());
    EXPECT_EQ(document->content()->text(), "日" + Beside + "\uF6AB月\r");
    selection.setRange(0, 1);
    EXPECT_FALSE(porvex::InsertOperator(m_word, 10).ok());
    EXPECT_EQ(document->content()->text(), "日" + Beside + "\uF6AB月\r")
        << "a number outside 1..9 types nothing";
    EXPECT_EQ(selection.start(), 0);
    EXPECT_EQ(selection.end(), 1);
}

} // namespace

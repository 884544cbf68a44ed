#include "platform/office/package/styledtext.h"

#include <gtest/gtest.h>

using office::StyledRun;
using office::StyledText;

namespace
{

const QByteArray bold = "<rPr><b/></rPr>";
const QByteArray kai = "<rPr><rFont val=\"標楷體\"/></rPr>";

QByteArray withKai(const QByteArray &)
{
    return kai;
}

StyledText sample()
{
    // "甲乙" bold, "丙" plain, a line break, "丁" plain.
    return StyledText({{"甲乙", bold, {}}, {"丙", {}, {}}, {"\v", {}, "<a:br/>"}, {"丁", {}, {}}});
}

TEST(StyledText, ReplacedTextTakesTheFormattingOfWhatItReplaces)
{
    StyledText text = sample();
    text.replace(1, 2, "戊己");
    EXPECT_EQ(text.text(), "甲戊己\v丁");
    ASSERT_EQ(text.runs().size(), 3) << "the new text joins the bold run";
    EXPECT_EQ(text.runs()[0].text, "甲戊己");

    text.replace(3, 0, "庚"); // an insertion continues the character before it
    EXPECT_EQ(text.propertiesAt(3), bold);
    text.replace(0, 0, "辛");
    EXPECT_EQ(text.propertiesAt(0), bold);
    text.replace(0, 100, QString());
    EXPECT_EQ(text.length(), 0);
    EXPECT_TRUE(text.runs().isEmpty());
}

TEST(StyledText, ChangingPartOfARunSplitsItAndEqualNeighboursJoinAgain)
{
    StyledText text = sample();
    text.changeProperties(1, 1, withKai);
    ASSERT_EQ(text.runs().size(), 5);
    EXPECT_EQ(text.propertiesIn(0, 3), QList<QByteArray>({bold, kai, QByteArray()}));
    text.changeProperties(0, 2, withKai);
    EXPECT_EQ(text.runs()[0].text, "甲乙") << "runs with the same formatting are joined";
    EXPECT_EQ(text.runs()[0].properties, kai);
    text.changeProperties(0, 5, withKai);
    EXPECT_EQ(text.runs()[1].atom, "<a:br/>") << "a break keeps its element";
    EXPECT_EQ(text.runs()[1].properties, kai);
    EXPECT_EQ(text.runs().size(), 3) << "text before and after the break stays apart";
}

TEST(StyledText, ACutIntoAFieldMakesItPlainTextAndAWholeEditKeepsIt)
{
    StyledText text({{"12", {}, "<a:fld/>"}, {"頁", {}, {}}});
    text.changeProperties(0, 2, withKai);
    EXPECT_EQ(text.runs()[0].atom, "<a:fld/>") << "the whole field changed: still a field";
    text.replace(1, 0, "0");
    EXPECT_EQ(text.text(), "102頁");
    for (const StyledRun &run : text.runs())
        EXPECT_TRUE(run.atom.isEmpty()) << run.text.toStdString();
    ASSERT_EQ(text.runs().size(), 2) << "the pieces of the field join as plain text";
    EXPECT_EQ(text.runs()[0].text, "102");
}

} // namespace

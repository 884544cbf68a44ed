#include "comAddIn/officehost/wrapmode.h"

#include <gtest/gtest.h>

using officehost::kLongestWrappedWord;
using officehost::wrapModeFor;

TEST(WrapMode, OnlyARunWithoutABreakOpportunityPastTheLimitWrapsAnywhere)
{
    const QTextOption::WrapMode words = QTextOption::WrapAtWordBoundaryOrAnywhere;
    EXPECT_EQ(wrapModeFor(QString()), words);
    EXPECT_EQ(wrapModeFor(u"the quick brown fox "_qs.repeated(50'000)), words);
    EXPECT_EQ(wrapModeFor(u"甲乙丙丁"_qs.repeated(250'000)), words) << "Han breaks anywhere";
    // The longest word that still wraps at its boundaries, with the space after it.
    const QString longest(kLongestWrappedWord - 1, QChar(u'a'));
    EXPECT_EQ(wrapModeFor(u"x "_qs + longest + u" y"_qs), words);
    EXPECT_EQ(wrapModeFor(longest + u" "_qs + longest), words);

    EXPECT_EQ(wrapModeFor(u"x "_qs + longest + u"a y"_qs), QTextOption::WrapAnywhere);
    EXPECT_EQ(wrapModeFor(u"甲乙 "_qs + QString(1'000'000, QChar(u'a'))),
              QTextOption::WrapAnywhere);
}

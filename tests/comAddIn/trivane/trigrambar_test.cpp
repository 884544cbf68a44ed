// The trigram bar in a host whose command bars live in a real file.
#include "comAddIn/trivane/connect.h"
#include "comAddIn/trivane/global.h"
#include "comAddIn/trivane/trigrambar.h"
#include "tests/comAddIn/frame/testhost.h"

#include <gtest/gtest.h>

using office::CommandBar;
using office::CommandBarControl;
using office::RemoveMode;

namespace
{

const QString kBar = u"八卦符號"_qs;
const QStringList kTags = {u"乾"_qs, u"兌"_qs, u"離"_qs, u"震"_qs,
                           u"巽"_qs, u"坎"_qs, u"艮"_qs, u"坤"_qs};

class TrigramBarTest : public AddInConnectionTest
{
protected:
    std::unique_ptr<addin::Connect> createConnection() const override
    {
        return trivane::createConnection(u"Zontabar.ConnectWord"_qs);
    }
};

TEST_F(TrigramBarTest, FirstConnectionCreatesTheHiddenBarWithEightButtons)
{
    TestHost word(u"Microsoft Word"_qs);
    runHostOnce(word);
    const CommandBar &bar = word.bar(kBar);
    EXPECT_FALSE(bar.visible());
    ASSERT_EQ(bar.controlCount(), 8);
    for (int k = 1; k <= 8; ++k) {
        const auto button = bar.control(k);
        EXPECT_EQ(button->tag(), kTags[k - 1]);
        EXPECT_EQ(button->caption(), QString(QChar(0xEDC7 - (k - 1))));
        EXPECT_EQ(button->style(), CommandBarControl::CaptionOnly);
        EXPECT_EQ(button->beginGroup(), k == 1);
        EXPECT_EQ(button->onAction(), u"!<Zontabar.ConnectWord>"_qs);
    }
}

TEST_F(TrigramBarTest, OnActionFollowsTheHost)
{
    const std::pair<QString, QString> hosts[] = {
        {u"Microsoft Excel"_qs, u"!<Zontabar.ConnectExcel>"_qs},
        {u"Microsoft PowerPoint"_qs, u"!<Zontabar.ConnectPowerPoint>"_qs},
        {u"Microsoft FrontPage"_qs, u"!<Zontabar.ConnectFrontPage>"_qs},
        {u"Microsoft Access"_qs, QString()},
    };
    for (const auto &[name, onAction] : hosts) {
        TestHost host(name);
        runHostOnce(host);
        EXPECT_EQ(host.bar(kBar).control(1)->onAction(), onAction) << name.toStdString();
    }
}

TEST_F(TrigramBarTest, LaterConnectionsFindButtonsByTagAnywhere)
{
    TestHost word(u"Microsoft Word"_qs);
    runHostOnce(word);
    word.bar(kBar).setVisible(true);
    // The user deleted 離 and copied 坤 to the Tools menu, ahead of the bar.
    ASSERT_TRUE(word.bar(kBar).control(3)->deleteControl());
    const auto moved = word.bar(u"Tools"_qs).addControl();
    moved->setTag(u"坤"_qs);
    moved->setCaption(u"坤卦"_qs);

    ASSERT_TRUE(connect(word).ok());
    const CommandBar &bar = word.bar(kBar);
    EXPECT_TRUE(bar.visible());
    ASSERT_EQ(bar.controlCount(), 8); // 離 added again at the end, nothing else
    EXPECT_EQ(bar.control(8)->tag(), u"離"_qs);
    EXPECT_FALSE(bar.control(8)->beginGroup());
    const auto &events = trivane::global().eventObject();
    EXPECT_EQ(events.Operator1Btn(3).control(), bar.control(8));
    EXPECT_EQ(events.Operator1Btn(8).control(), moved); // found first, on whichever bar
    EXPECT_EQ(moved->caption(), u"坤卦"_qs);
}

TEST_F(TrigramBarTest, RemovalDeletesTheBarAndClosingKeepsIt)
{
    TestHost word(u"Microsoft Word"_qs);
    runHostOnce(word);
    EXPECT_TRUE(word.commandBars()->item(kBar));

    ASSERT_TRUE(connect(word).ok());
    ASSERT_TRUE(disconnect(RemoveMode::UserClosed).ok());
    word.reopenBars();
    EXPECT_FALSE(word.commandBars()->item(kBar));
    EXPECT_FALSE(word.commandBars()->findControl(u"乾"_qs));
    // A second removal finds no bar and ends quietly.
    ASSERT_TRUE(connect(word).ok());
    ASSERT_TRUE(word.commandBars()->item(kBar)->deleteBar());
    EXPECT_TRUE(disconnect(RemoveMode::UserClosed).ok());
}

TEST_F(TrigramBarTest, FailingHostCallEndsTheConnectionCleanly)
{
    // A host without command bars, and one named "Outlook" without an explorer window.
    TestHost bare(u"Microsoft Word"_qs);
    bare.setCommandBars(nullptr);
    const auto noBars = connect(bare);
    EXPECT_FALSE(noBars.ok());
    EXPECT_FALSE(noBars.errorString().isEmpty());
    EXPECT_TRUE(disconnect(RemoveMode::UserClosed).ok());

    TestHost outlook(u"Outlook"_qs);
    EXPECT_FALSE(connect(outlook).ok());
    EXPECT_TRUE(disconnect(RemoveMode::HostShutdown).ok());
}

TEST_F(TrigramBarTest, ButtonsOfADisconnectedHostNoLongerReachIt)
{
    TestHost word(u"Microsoft Word"_qs);
    ASSERT_TRUE(connect(word).ok());
    const auto button = word.bar(kBar).control(1);
    ASSERT_TRUE(disconnect(RemoveMode::HostShutdown).ok());
    EXPECT_EQ(trivane::global().application(), nullptr);
    EXPECT_EQ(button->clickSubscriberCount(), 1); // still hooked, as the bar stays
    button->click();                              // reaches no host: nothing happens
    EXPECT_TRUE(word.statusBar().isEmpty());
}

TEST(TrigramConnectionClasses, FourProgIdsFoundWithoutRegardToCase)
{
    for (const char16_t *id : trivane::kProgIds)
        EXPECT_TRUE(trivane::createConnection(QString::fromUtf16(id).toUpper()));
    EXPECT_FALSE(trivane::createConnection(u"PorvexAddin.ConnectWord"_qs));
}

} // namespace

#include "platform/office/host/commandbars.h"
#include "tests/support/scopedenvironment.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using office::CommandBar;
using office::CommandBarControl;
using office::CommandBars;

namespace
{

class CommandBarsTest : public ::testing::Test
{
protected:
    QString path() const { return m_dir.filePath(u"Microsoft-Word.commandbars.json"_qs); }
    std::shared_ptr<CommandBars> reopen() const { return CommandBars::openFile(path()); }

    QTemporaryDir m_dir;
};

TEST_F(CommandBarsTest, NewUserHasToolsMenuOfBuiltInItemsOnly)
{
    const auto bars = reopen();
    ASSERT_EQ(bars->count(), 1);
    const auto tools = bars->item(u"tools"_qs);
    ASSERT_TRUE(tools);
    EXPECT_EQ(tools->name(), u"Tools"_qs);
    ASSERT_GT(tools->controlCount(), 0);
    for (int i = 1; i <= tools->controlCount(); ++i)
        EXPECT_NE(tools->control(i)->id(), CommandBarControl::kAddInId);
    EXPECT_FALSE(tools->control(0));
    EXPECT_FALSE(tools->control(tools->controlCount() + 1));
    EXPECT_FALSE(bars->item(u"構字符號"_qs));
}

TEST_F(CommandBarsTest, ChangesAreWrittenAtOnceAndReadBack)
{
    {
        const auto bars = reopen();
        const auto bar = bars->add(u"構字符號"_qs);
        ASSERT_TRUE(bar);
        bar->setVisible(false);
        const auto button = bar->addControl();
        button->setStyle(CommandBarControl::CaptionOnly);
        button->setBeginGroup(true);
        button->setCaption(QString(QChar(0xF6A4)));
        button->setTag(u"qelOperatorH"_qs);
        button->setOnAction(u"!<PorvexAddin.ConnectWord>"_qs);
        bars->item(u"Tools"_qs)->control(1)->setVisible(false);
        EXPECT_TRUE(bars->errorString().isEmpty());
    }
    const auto bars = reopen();
    ASSERT_EQ(bars->count(), 2);
    const auto bar = bars->item(2);
    EXPECT_EQ(bar->name(), u"構字符號"_qs);
    EXPECT_FALSE(bar->visible());
    ASSERT_EQ(bar->controlCount(), 1);
    const auto button = bar->control(1);
    EXPECT_EQ(button->id(), CommandBarControl::kAddInId);
    EXPECT_EQ(button->type(), CommandBarControl::Button);
    EXPECT_EQ(button->style(), CommandBarControl::CaptionOnly);
    EXPECT_TRUE(button->beginGroup());
    EXPECT_EQ(button->caption(), QString(QChar(0xF6A4)));
    EXPECT_EQ(button->tag(), u"qelOperatorH"_qs);
    EXPECT_EQ(button->onAction(), u"!<PorvexAddin.ConnectWord>"_qs);
    EXPECT_FALSE(bars->item(u"Tools"_qs)->control(1)->visible());
    EXPECT_NE(bars->item(u"Tools"_qs)->control(1)->id(), CommandBarControl::kAddInId);
}

TEST_F(CommandBarsTest, AddRefusesADuplicateName)
{
    const auto bars = reopen();
    ASSERT_TRUE(bars->add(u"構字符號"_qs));
    EXPECT_FALSE(bars->add(u"構字符號"_qs));
    EXPECT_FALSE(bars->add(u"TOOLS"_qs));
    EXPECT_EQ(bars->count(), 2);
}

TEST_F(CommandBarsTest, DeletedControlsAndBarsLeaveTheFileAndDetach)
{
    {
        const auto bars = reopen();
        const auto tools = bars->item(u"Tools"_qs);
        const int builtIns = tools->controlCount();
        const auto first = tools->addControl();
        first->setTag(u"a"_qs);
        const auto second = tools->addControl();
        second->setTag(u"b"_qs);
        EXPECT_TRUE(first->deleteControl());
        EXPECT_FALSE(first->deleteControl());
        EXPECT_FALSE(first->parent());
        first->setCaption(u"ignored"_qs); // a detached control changes nothing
        EXPECT_EQ(tools->controlCount(), builtIns + 1);
        EXPECT_EQ(tools->control(builtIns + 1), second);

        const auto bar = bars->add(u"構字符號"_qs);
        EXPECT_TRUE(bar->deleteBar());
        EXPECT_FALSE(bar->deleteBar());
    }
    const auto bars = reopen();
    EXPECT_EQ(bars->count(), 1);
    const auto tools = bars->item(u"Tools"_qs);
    EXPECT_EQ(tools->control(tools->controlCount())->tag(), u"b"_qs);
}

TEST_F(CommandBarsTest, ClickReachesEverySubscriberUntilItUnsubscribes)
{
    const auto bars = reopen();
    const auto button = bars->item(u"Tools"_qs)->addControl();
    QStringList calls;
    const auto first = button->subscribeClick(
        [&](CommandBarControl &clicked, bool &) { calls << u"1:"_qs + clicked.tag(); });
    button->subscribeClick([&](CommandBarControl &, bool &cancel) {
        calls << u"2"_qs;
        cancel = true;
    });
    button->setTag(u"t"_qs);
    EXPECT_TRUE(button->click());
    EXPECT_EQ(calls, (QStringList{u"1:t"_qs, u"2"_qs}));
    button->unsubscribeClick(first);
    calls.clear();
    button->click();
    EXPECT_EQ(calls, QStringList{u"2"_qs});
}

TEST_F(CommandBarsTest, AHandlerMayDeleteItsOwnControl)
{
    const auto bars = reopen();
    std::weak_ptr<CommandBarControl> weak;
    {
        const auto button = bars->item(u"Tools"_qs)->addControl();
        button->subscribeClick([](CommandBarControl &clicked, bool &) { clicked.deleteControl(); });
        weak = button;
    }
    weak.lock()->click();
    EXPECT_TRUE(weak.expired());
}

TEST_F(CommandBarsTest, UnreadableFileGivesFreshBarsAndSaysWhy)
{
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("{ not json");
    }
    const auto bars = reopen();
    EXPECT_FALSE(bars->errorString().isEmpty());
    EXPECT_TRUE(bars->item(u"Tools"_qs));
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("{ not json"));
}

TEST_F(CommandBarsTest, FindControlSearchesEveryBarInOrder)
{
    const auto bars = reopen();
    const auto trigrams = bars->add(u"八卦符號"_qs);
    const auto onTrigrams = trigrams->addControl();
    onTrigrams->setTag(u"乾"_qs);
    EXPECT_EQ(bars->findControl(u"乾"_qs), onTrigrams);
    const auto onTools = bars->item(u"Tools"_qs)->addControl();
    onTools->setTag(u"乾"_qs);
    EXPECT_EQ(bars->findControl(u"乾"_qs), onTools);
    EXPECT_FALSE(bars->findControl(u"坤"_qs));
}

TEST_F(CommandBarsTest, ChangeListenersHearEveryChange)
{
    const auto bars = reopen();
    int changes = 0;
    bars->addChangeListener([&] { ++changes; });
    const auto bar = bars->add(u"八卦符號"_qs);
    bar->addControl()->setCaption(u"x"_qs);
    EXPECT_EQ(changes, 3);
}

TEST(CommandBarsFolder, RedirectedByTheEnvironment)
{
    QTemporaryDir dir;
    const ScopedEnvironment environment("MURVEL_OFFICE_CONFIG_DIR", dir.path().toUtf8());
    EXPECT_TRUE(CommandBars::filePathFor(u"Microsoft Excel"_qs).startsWith(dir.path() + u'/'));
    EXPECT_NE(CommandBars::filePathFor(u"Microsoft Excel"_qs),
              CommandBars::filePathFor(u"Microsoft Word"_qs));
}

} // namespace

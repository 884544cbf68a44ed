// The command bars as menus and toolbars, offscreen, found by objectName.
#include "comAddIn/officehost/commandbarui.h"
#include "platform/fonts/operatorfont.h"
#include "platform/office/host/commandbars.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolBar>
#include <gtest/gtest.h>

using officehost::CommandBarUi;

namespace
{

class CommandBarUiTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_bars = office::CommandBars::openFile(m_dir.filePath(u"bars.json"_qs));
        auto tools = m_bars->item(u"Tools"_qs);
        m_item = tools->addControl();
        m_item->setCaption(u"轉換"_qs);
        m_item->setTag(u"convert"_qs);
        m_item->setBeginGroup(true);
        auto hidden = tools->addControl();
        hidden->setCaption(u"隱藏"_qs);
        hidden->setTag(u"hidden"_qs);
        hidden->setVisible(false);
        auto bar = m_bars->add(u"八卦符號"_qs);
        bar->setVisible(false);
        m_button = bar->addControl();
        m_button->setCaption(QString(QChar(0xEDC7)));
        m_button->setTag(u"乾"_qs);
        m_ui = new CommandBarUi(m_window, m_toolsMenu, m_toolbarList);
        m_ui->setCommandBars(m_bars);
    }

    QAction *toolsAction(const QString &name) const
    {
        for (QAction *action : m_toolsMenu.actions()) {
            if (action->objectName() == name)
                return action;
        }
        return nullptr;
    }

    int argc = 0;
    QApplication m_app{argc, nullptr};
    QTemporaryDir m_dir;
    QMainWindow m_window;
    QMenu m_toolsMenu;
    QMenu m_toolbarList;
    std::shared_ptr<office::CommandBars> m_bars;
    std::shared_ptr<office::CommandBarControl> m_item;
    std::shared_ptr<office::CommandBarControl> m_button;
    CommandBarUi *m_ui = nullptr; // owned by the window
};

TEST_F(CommandBarUiTest, ToolsBarIsTheMenuAndOtherBarsAreToolbars)
{
    // The built-in items first, a separator, then the added ones, hidden ones not shown.
    QStringList captions;
    for (QAction *action : m_toolsMenu.actions())
        captions.append(action->isSeparator() ? u"-"_qs : action->text());
    EXPECT_EQ(captions, (QStringList{u"增益集..."_qs, u"自訂..."_qs, u"選項..."_qs, u"-"_qs,
                                     u"轉換"_qs, u"隱藏"_qs}));
    EXPECT_TRUE(toolsAction(u"convert"_qs)->isVisible());
    EXPECT_FALSE(toolsAction(u"hidden"_qs)->isVisible());

    auto *toolBar = m_window.findChild<QToolBar *>(u"八卦符號"_qs);
    ASSERT_TRUE(toolBar);
    EXPECT_TRUE(toolBar->isHidden());
    ASSERT_EQ(toolBar->actions().size(), 1);
    QAction *trigram = toolBar->actions().first();
    EXPECT_EQ(trigram->objectName(), u"乾"_qs);
    EXPECT_EQ(trigram->font().family(), fonts::operatorFamily());
    EXPECT_NE(toolsAction(u"convert"_qs)->font().family(), fonts::operatorFamily());
}

TEST_F(CommandBarUiTest, ToolbarListShowsAHiddenBarAndKeepsItInTheFile)
{
    QAction *shown = nullptr;
    for (QAction *action : m_toolbarList.actions()) {
        if (action->objectName() == u"toolbarList_八卦符號")
            shown = action;
    }
    ASSERT_TRUE(shown);
    EXPECT_FALSE(shown->isChecked());
    shown->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_bars->item(u"八卦符號"_qs)->visible());
    // The next start of the host reads it back from the file.
    EXPECT_TRUE(office::CommandBars::openFile(m_bars->filePath())->item(u"八卦符號"_qs)->visible());
    m_window.show();
    EXPECT_TRUE(m_window.findChild<QToolBar *>(u"八卦符號"_qs)->isVisible());
}

TEST_F(CommandBarUiTest, ClickByTagReachesTheControlsSubscribers)
{
    int clicks = 0;
    m_button->subscribeClick([&clicks](office::CommandBarControl &, bool &) { ++clicks; });
    EXPECT_TRUE(m_ui->clickTag(u"乾"_qs).ok());
    EXPECT_EQ(clicks, 1);
    // Picking the action is the same click.
    m_ui->actionForTag(u"乾"_qs)->trigger();
    EXPECT_EQ(clicks, 2);

    // No such tag, or nobody listening: a failure that says so.
    const auto missing = m_ui->clickTag(u"坤"_qs);
    EXPECT_FALSE(missing.ok());
    EXPECT_TRUE(missing.errorString().contains(u"坤"_qs));
    EXPECT_FALSE(m_ui->clickTag(u"convert"_qs).ok());
    EXPECT_FALSE(m_ui->clickTag(QString()).ok());
}

TEST_F(CommandBarUiTest, MenusFollowChangesOfTheBars)
{
    auto added = m_bars->item(u"八卦符號"_qs)->addControl();
    added->setTag(u"兌"_qs);
    added->setCaption(QString(QChar(0xEDC6)));
    m_item->deleteControl();
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_ui->actionForTag(u"兌"_qs));
    EXPECT_FALSE(toolsAction(u"convert"_qs));
    m_bars->item(u"八卦符號"_qs)->deleteBar();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(m_window.findChild<QToolBar *>(u"八卦符號"_qs));
}

} // namespace

#include "../mainwindow/mainwindowfixture.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/mainwindow/glyphview.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"
#include "vbprog/murvel/views/glyphlistwindow.h"
#include "vbprog/murvel/views/outlinelist.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTest>

namespace
{

// A list view with the structure view's traits and no loader of its own: what it shows is
// what a test puts into its list.
class StructureLikeWindow : public GlyphListWindow, public GlyphView
{
public:
    explicit StructureLikeWindow(QStringList &loads)
        : GlyphListWindow({.title = "字形結構",
                           .openFlag = &gOpen字形結構,
                           .statusMessage = &gGlyphViewMessage,
                           .menuItem = "mnu_字形結構",
                           .hasLock = true,
                           .startsWithEmptyItem = true,
                           .loadsCurrentGlyph = true,
                           .reselectsOnActivate = true}),
          m_loads(loads)
    {
    }

    void 載入字形(const QString &face, const QString &glyph, qint32 number) override
    {
        if (!isLocked() && number > 0)
            m_loads << QStringLiteral("%1 %2 %3").arg(face, glyph).arg(number);
    }
    bool isLocked() const override { return GlyphListWindow::isLocked(); }

protected:
    void loadGlyph(const QString &face, const QString &glyph, qint32 number) override
    {
        載入字形(face, glyph, number);
    }

private:
    QStringList &m_loads;
};

class GlyphListWindowTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        writeIni(RestoredIni("[異體字表]\nopen=1\n[字形演變]\nopen=1\n"));
        ASSERT_TRUE(start());
        window->childWindows().setFactory(WindowKinds::Structure, WindowKinds::Structure,
                                          [this] { return new StructureLikeWindow(loads); });
    }

    StructureLikeWindow *open()
    {
        click("mnu_字形結構");
        return dynamic_cast<StructureLikeWindow *>(child(WindowKinds::Structure));
    }

    // The regular 編號 of a glyph, looked up through the main window.
    qint32 numberOf(const QString &glyph) const
    {
        QLineEdit *box = window->box("txt字形");
        box->setText(glyph);
        QTest::keyClick(box, Qt::Key_Return);
        return window->box("txt編號")->text().toInt();
    }

    QStringList loads;
};

TEST_F(GlyphListWindowTest, LoadingSetsTheOpenFlagTheFirstItemAndLoadsThePanelsGlyph)
{
    const qint32 ming = numberOf("明");
    StructureLikeWindow *view = open();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(gOpen字形結構);
    OutlineList *list = view->findChild<OutlineList *>("tree字形樹狀結構");
    ASSERT_EQ(list, view->list());
    EXPECT_EQ(list->ListCount(), 1);
    EXPECT_TRUE(list->ItemText(0).isEmpty());
    EXPECT_EQ(list->FontSize(), gFontSize);
    EXPECT_EQ(loads, QStringList({"標楷體 明 " + QString::number(ming)}));
}

TEST_F(GlyphListWindowTest, TheEmptyFirstItemBroadcastsNothing)
{
    StructureLikeWindow *view = open();
    log.events.clear();
    view->list()->setListIndex(0);
    EXPECT_TRUE(log.events.isEmpty());
}

TEST_F(GlyphListWindowTest, ASelectionFillsThePanelAndReachesTheOtherViewsInOrder)
{
    const qint32 hao = numberOf("好");
    StructureLikeWindow *view = open();
    OutlineList *list = view->list();
    list->setItemText(0, "好");
    list->setItemFontName(0, "標楷體");
    list->setItemData(0, hao);
    log.events.clear();
    loads.clear();

    list->setListIndex(0);
    EXPECT_EQ(window->box("txt字形")->text(), "好");
    EXPECT_EQ(gDragText, "好");
    const QString number = QString::number(hao);
    // 異體字表 (13) before 字形演變 (15); the view itself is not told.
    EXPECT_EQ(log.events,
              QStringList({"glyph 13 標楷體 好 " + number, "glyph 15 標楷體 好 " + number}));
    EXPECT_TRUE(loads.isEmpty());
}

TEST_F(GlyphListWindowTest, ATitleRowPassesThroughWithoutChangingThePanel)
{
    numberOf("明");
    StructureLikeWindow *view = open();
    OutlineList *list = view->list();
    list->setItemText(0, "漢語大字典");
    list->setItemFontName(0, "標楷體");
    list->setItemData(0, -9999);
    log.events.clear();
    list->setListIndex(0);
    // The panel ignores keys below 0; the views get the number and ignore it themselves.
    EXPECT_EQ(window->box("txt字形")->text(), "明");
    EXPECT_EQ(log.events, QStringList({"glyph 13 標楷體 漢語大字典 -9999",
                                       "glyph 15 標楷體 漢語大字典 -9999"}));
}

TEST_F(GlyphListWindowTest, TheLockStopsBroadcastsAndUnlockingDoesNotReload)
{
    StructureLikeWindow *view = open();
    QLabel *lock = view->findChild<QLabel *>("imglock");
    ASSERT_NE(lock, nullptr);
    EXPECT_EQ(lock->property("Tag").toString(), "0");

    view->toggleLock();
    EXPECT_EQ(lock->property("Tag").toString(), "1");
    EXPECT_EQ(view->windowTitle(), "字形結構(鎖定)");
    EXPECT_EQ(lock->toolTip(), "解除鎖定");
    loads.clear();
    numberOf("明"); // the main window's broadcast
    EXPECT_TRUE(loads.isEmpty());

    view->toggleLock();
    EXPECT_EQ(view->windowTitle(), "字形結構");
    EXPECT_EQ(lock->toolTip(), "鎖定");
    EXPECT_TRUE(loads.isEmpty());
    numberOf("好");
    EXPECT_EQ(loads.size(), 1);
}

TEST_F(GlyphListWindowTest, ActivationShowsTheViewsStatusMessage)
{
    StructureLikeWindow *view = open();
    gGlyphViewMessage = "結構訊息";
    window->statusBox()->clear();
    view->activated();
    EXPECT_EQ(window->statusBox()->text(), "結構訊息");
    EXPECT_EQ(gCurrentWindowKind, WindowKinds::Structure);
}

TEST_F(GlyphListWindowTest, ClosingClearsTheOpenFlagAndLeavesTheMenuItemEnabled)
{
    StructureLikeWindow *view = open();
    item("mnu_字形結構")->setEnabled(false);
    view->frame()->close();
    EXPECT_FALSE(gOpen字形結構);
    EXPECT_TRUE(item("mnu_字形結構")->isEnabled());
}

TEST_F(GlyphListWindowTest, TheBaseTypefaceSwapsTheItemsTypefaces)
{
    StructureLikeWindow *view = open();
    OutlineList *list = view->list();
    list->setItemFontName(0, "標楷體外字集三");
    list->AddItem("X");
    list->setItemFontName(1, "Ombrel金文");
    gBaseFontName = "細明體";
    view->baseFontChanged();
    EXPECT_EQ(list->FontName(), "細明體");
    EXPECT_EQ(list->ItemFontName(0), "細明體外字集三");
    EXPECT_EQ(list->ItemFontName(1), "Ombrel金文");
    gBaseFontName = "標楷體";
}

} // namespace

#include "platform/fonts/typefacetable.h"
#include "tests/vbprog/murvel/mainwindow/mainwindowfixture.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace
{

// A window that restores nothing, so that each test opens what it needs.
class MenuTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        writeIni(RestoredIni());
        ASSERT_TRUE(start());
    }

    void openOptionsMenu() const { emit find<QMenu>("mnu_選項")->aboutToShow(); }
    bool enabled(const QString &name) const { return item(name)->isEnabled(); }

    QLineEdit *focusBox(const QString &name, const QString &text,
                        Qt::FocusReason reason = Qt::TabFocusReason) const
    {
        QLineEdit *box = window->box(name);
        box->setText(text);
        QApplication::setActiveWindow(window.get());
        box->setFocus(reason);
        return box;
    }
};

TEST_F(MenuTest, MenuTreeHasTheCaptionsShortcutsAndTheHiddenSaveItem)
{
    EXPECT_EQ(item("mnu_結束")->text(), "結束");
    EXPECT_EQ(item("mnu_qel")->text(), "關於Tesvani");
    EXPECT_EQ(item("mnu_部件代碼6")->text(), "部件外字...");
    EXPECT_EQ(item("mnu_最佳瀏覽")->text(), "預設開啟(進階)...");
    EXPECT_EQ(item("mnu_複製")->shortcut(), QKeySequence("Ctrl+C"));
    EXPECT_EQ(item("mnu貼上")->shortcut(), QKeySequence("Ctrl+V"));
    EXPECT_FALSE(item("mnu_儲存視窗設定")->isVisible());
    EXPECT_FALSE(item("mnu_儲存視窗設定")->isEnabled());
    QStringList topLevel;
    for (QAction *menu : window->menuBar()->actions())
        topLevel << menu->text();
    EXPECT_EQ(topLevel, QStringList({"字集", "字形", "構字", "編輯", "選項", "視窗", "說明"}));
}

TEST_F(MenuTest, CharacterSetItemsFormARadioGroupAndSetScriptAndCode)
{
    click("mnu_Big5");
    EXPECT_TRUE(checked("mnu_Big5"));
    EXPECT_EQ(gIni.value("選項", "字頻"), "2");

    click("mnu_小篆");
    for (const QString &name : MainMenus::CharSetItemNames)
        EXPECT_EQ(checked(name), name == "mnu_小篆") << name.toStdString();
    EXPECT_EQ(gCurrentScript, "小篆");
    EXPECT_EQ(gIni.value("選項", "字頻"), "2"); // the ancient scripts keep the code

    click("mnu_常用字");
    EXPECT_EQ(gIni.value("選項", "字頻"), "5");
    gIni.setValue("選項", "字頻", "x");
    click("mnu_常用字"); // already marked: the code is still set
    EXPECT_TRUE(checked("mnu_常用字"));
    EXPECT_EQ(gIni.value("選項", "字頻"), "5");
    EXPECT_EQ(gCurrentScript, "楷書");
}

TEST_F(MenuTest, CharacterSetGivesTheDerivationInputItsTypeface)
{
    click("mnu_字形孳乳");
    click("mnu_金文");
    EXPECT_EQ(child(WindowKinds::Derivation)->formulaBox()->font().families(),
              fonts::familiesFor("Ombrel金文"));
}

TEST_F(MenuTest, OptionPairKeepsOneMarkAndWritesItsCode)
{
    click("mnu_字形孳乳只列字形不列部件");
    EXPECT_TRUE(checked("mnu_字形孳乳只列字形不列部件"));
    EXPECT_FALSE(checked("mnu_字形孳乳逐級列出單一部件"));
    EXPECT_EQ(gIni.value("選項", "逐級列出"), "0");

    gIni.setValue("選項", "逐級列出", "1");
    click("mnu_字形孳乳只列字形不列部件"); // the marked one: marks stay, code written
    EXPECT_TRUE(checked("mnu_字形孳乳只列字形不列部件"));
    EXPECT_FALSE(checked("mnu_字形孳乳逐級列出單一部件"));
    EXPECT_EQ(gIni.value("選項", "逐級列出"), "0");

    click("mnu_字形孳乳逐級列出單一部件");
    EXPECT_TRUE(checked("mnu_字形孳乳逐級列出單一部件"));
    EXPECT_FALSE(checked("mnu_字形孳乳只列字形不列部件"));
    EXPECT_EQ(gIni.value("選項", "逐級列出"), "1");
}

TEST_F(MenuTest, PlainOptionsTurnOverAndShuowenOrderKeepsItsCode)
{
    const bool before = checked("mnu_金文詁林選項");
    click("mnu_金文詁林選項");
    EXPECT_EQ(checked("mnu_金文詁林選項"), !before);

    const bool order = checked("mnu_說文解形順序");
    click("mnu_說文解形順序");
    EXPECT_EQ(gIni.value("選項", "解形列出"), order ? "0" : "1");
}

TEST_F(MenuTest, DerivationOptionsAreEnabledByTheOpenViewScriptAndSqlMark)
{
    openOptionsMenu();
    EXPECT_FALSE(enabled("mnu_字形孳乳逐級列出單一部件"));
    EXPECT_FALSE(enabled("mnu_字形孳乳只列字形不列部件"));
    EXPECT_FALSE(enabled("mnu_字形孳乳包含異寫部件"));
    EXPECT_FALSE(enabled("mnu_字形孳乳採用SQL語法"));
    EXPECT_TRUE(enabled("mnu_字形孳乳遵照輸入部件順序"));

    click("mnu_字形孳乳");
    click("mnu_金文");
    openOptionsMenu();
    EXPECT_TRUE(enabled("mnu_字形孳乳逐級列出單一部件"));
    EXPECT_FALSE(enabled("mnu_字形孳乳包含異寫部件"));
    EXPECT_TRUE(enabled("mnu_字形孳乳採用SQL語法"));

    click("mnu_字形孳乳採用SQL語法");
    EXPECT_EQ(child(WindowKinds::Derivation)->windowTitle(), "部件檢字(SQL Like)");
    openOptionsMenu();
    EXPECT_FALSE(enabled("mnu_字形孳乳逐級列出單一部件"));
    EXPECT_FALSE(enabled("mnu_字形孳乳只列字形不列部件"));
    click("mnu_字形孳乳採用SQL語法");
    EXPECT_EQ(child(WindowKinds::Derivation)->windowTitle(), "部件檢字");
}

TEST_F(MenuTest, ViewOpenersLoadOnceAndComponentListsReloadForEachKind)
{
    click("mnu_字形結構");
    click("mnu_字形結構");
    EXPECT_EQ(log.events, QStringList({"load 12"}));
    EXPECT_EQ(window->mdiArea().activeSubWindow(), child(WindowKinds::Structure)->frame());

    click("mnu_符號");
    click("mnu_部件代碼3");
    EXPECT_EQ(log.events, QStringList({"load 12", "list 10", "list 3"}));
    EXPECT_EQ(loadedKinds(), QList<int>({12, 3}));
}

TEST_F(MenuTest, CtrlCAndCtrlVGoToTheMenuEvenInAFocusedBox)
{
    QLineEdit *reading = focusBox("txt注音", "ㄇㄨ");
    ASSERT_EQ(gFocusedBox, 7);
    EXPECT_EQ(reading->selectedText(), "ㄇㄨ");
    reading->setSelection(1, 1);
    QTest::keyClick(reading, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "ㄨ");

    // The reading box takes no paste: the menu's paste wins and leaves it alone.
    QGuiApplication::clipboard()->setText("口");
    QTest::keyClick(reading, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(reading->text(), "ㄇㄨ");

    QLineEdit *formula = focusBox("txt構字式", "木");
    formula->setCursorPosition(1);
    QTest::keyClick(formula, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(formula->text(), "木口");
}

TEST_F(MenuTest, AMenuOpeningLeavesTheFocusedBoxAndItsSelection)
{
    QLineEdit *glyph = focusBox("txt字形", "森林");
    glyph->setSelection(1, 1);
    QFocusEvent out(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(glyph, &out);
    QLineEdit *count = window->box("txt組字字數");
    QFocusEvent in(QEvent::FocusIn, Qt::PopupFocusReason);
    QApplication::sendEvent(count, &in);

    EXPECT_EQ(gFocusedBox, 3);
    EXPECT_EQ(glyph->selectedText(), "林");
}

TEST_F(MenuTest, FocusSelectsABoxesTextExceptInTheLastCountBox)
{
    gCurrentWindowKind = WindowKinds::Structure;
    QLineEdit *count = focusBox("txt組字字數", "12", Qt::MouseFocusReason);
    EXPECT_EQ(gFocusedBox, 12);
    EXPECT_EQ(gCurrentWindowKind, 0);
    EXPECT_EQ(count->selectedText(), "12");

    QLineEdit *box = focusBox("txt組字字數含異寫", "13", Qt::MouseFocusReason);
    EXPECT_EQ(gFocusedBox, 13);
    EXPECT_TRUE(box->selectedText().isEmpty());
}

TEST_F(MenuTest, CopyFromAListFollowsTheItemFlag)
{
    click("mnu_異體字表");
    auto *view = dynamic_cast<FakeView *>(child(WindowKinds::VariantCharacters));
    window->box("txt字形")->setText("明");
    window->box("txt構字式")->setText("日\uF6A4月");
    const auto copied = [&](const QString &flag) {
        QGuiApplication::clipboard()->setText("before");
        view->selectedItem = ChildWindow::ListItem{flag, "朙"};
        click("mnu_複製");
        return QGuiApplication::clipboard()->text();
    };
    ASSERT_EQ(gCurrentWindowKind, WindowKinds::VariantCharacters);
    EXPECT_EQ(copied("0"), "明");
    EXPECT_EQ(copied("1"), "日\uF6A4月");
    EXPECT_EQ(copied("2木\uF6A3林"), "木\uF6A3林");
    EXPECT_EQ(copied("3"), "朙");
    EXPECT_EQ(copied(""), "before");
    EXPECT_EQ(copied("9"), "before");
}

TEST_F(MenuTest, TilingPutsTheLastActivatedWindowLeftAtFullHeight)
{
    click("mnu_字形結構");
    click("mnu_異體字表");
    click("mnu_字形孳乳");
    click("mnu_垂直並排");

    const QRect derivation = child(WindowKinds::Derivation)->frame()->geometry();
    const QRect variants = child(WindowKinds::VariantCharacters)->frame()->geometry();
    const QRect structure = child(WindowKinds::Structure)->frame()->geometry();
    const QSize area = window->mdiArea().viewport()->size();
    EXPECT_EQ(derivation.left(), 0);
    EXPECT_NEAR(variants.left(), derivation.right() + 1, 1);
    EXPECT_NEAR(structure.left(), variants.right() + 1, 1);
    EXPECT_NEAR(structure.right() + 1, area.width(), 1);
    EXPECT_EQ(derivation.height(), area.height());
}

TEST_F(MenuTest, TilingLeavesMinimisedWindowsAsIcons)
{
    click("mnu_字形結構");
    click("mnu_異體字表");
    click("mnu_字形孳乳");
    child(WindowKinds::VariantCharacters)->frame()->showMinimized();
    click("mnu_垂直並排");

    EXPECT_TRUE(child(WindowKinds::VariantCharacters)->frame()->isMinimized());
    const QRect derivation = child(WindowKinds::Derivation)->frame()->geometry();
    const QRect structure = child(WindowKinds::Structure)->frame()->geometry();
    const QSize area = window->mdiArea().viewport()->size();
    EXPECT_EQ(derivation.left(), 0);
    EXPECT_NEAR(structure.left(), derivation.right() + 1, 1);
    EXPECT_NEAR(structure.right() + 1, area.width(), 1);
}

TEST_F(MenuTest, APresetLayoutBringsMaximisedChildrenToTheirPlaces)
{
    click("mnu_字形孳乳");
    child(WindowKinds::Derivation)->frame()->showMaximized();
    window->applyPresetLayout(PresetFamily::Advanced, 1); // 預設瀏覽一

    const QSize area = window->mdiArea().viewport()->size();
    for (int kind : {WindowKinds::Derivation, WindowKinds::VariantCharacters,
                     WindowKinds::Structure, WindowKinds::Evolution}) {
        SCOPED_TRACE(kind);
        const QMdiSubWindow *frame = child(kind)->frame();
        EXPECT_FALSE(frame->isMaximized());
        EXPECT_NEAR(frame->width(), area.width() / 3, 2);
    }
    const QRect upper = child(WindowKinds::Structure)->frame()->geometry();
    EXPECT_NEAR(upper.height(), area.height() / 2, 1);
    EXPECT_EQ(child(WindowKinds::Derivation)->frame()->geometry().left(), 0);
}

} // namespace

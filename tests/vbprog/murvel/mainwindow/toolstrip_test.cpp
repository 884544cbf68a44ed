#include "tests/vbprog/murvel/mainwindow/mainwindowfixture.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/mainwindow/fontbar.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"
#include "vbprog/murvel/mainwindow/公用視窗.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace
{

class ToolStripTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        writeIni(RestoredIni().replace("fontsize=24", "fontsize=18"));
        ASSERT_TRUE(start());
    }

    QComboBox *combo(const QString &name) const { return find<QComboBox>(name); }

    // Enter typed into a combo box's text.
    void enter(const QString &name, const QString &text) const
    {
        QComboBox *box = combo(name);
        box->setEditText(text);
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    }
};

TEST(FontBarRules, SizeTextOnEnterIsClampedAndSizesAreWholeNumbers)
{
    EXPECT_EQ(SizeTextAfterEnter("5", 18), "10");
    EXPECT_EQ(SizeTextAfterEnter("2000", 18), "1000");
    EXPECT_EQ(SizeTextAfterEnter("", 18), "18");
    EXPECT_EQ(SizeTextAfterEnter("abc", 18), "10");
    EXPECT_EQ(SizeTextAfterEnter("12abc", 18), "12abc");
    EXPECT_EQ(SizeOfText("10.5"), 10);
    EXPECT_EQ(SizeOfText("11.5"), 12);
    EXPECT_EQ(SizeOfText("12abc"), std::nullopt);
    EXPECT_EQ(SizeOfText("99999"), std::nullopt);
}

TEST(FontBarRules, StrokeEntry)
{
    EXPECT_EQ(StrokeItemAfterEnter("1-99"), 0);
    EXPECT_EQ(StrokeItemAfterEnter("7"), 7);
    EXPECT_EQ(StrokeItemAfterEnter("100"), std::nullopt);
    EXPECT_EQ(StrokeItemAfterEnter("0"), std::nullopt);
    EXPECT_EQ(StrokeItemAfterEnter("x"), std::nullopt);
}

TEST_F(ToolStripTest, SizeEnterClampsAppliesAndRestylesOpenViews)
{
    click("mnu_字形結構");
    log.events.clear();

    enter("cbo字體大小", "5");
    EXPECT_EQ(combo("cbo字體大小")->currentText(), "10");
    EXPECT_EQ(gFontSize, 10);
    enter("cbo字體大小", "2000");
    EXPECT_EQ(gFontSize, 1000);
    enter("cbo字體大小", "1000");
    enter("cbo字體大小", "10.5");
    EXPECT_EQ(combo("cbo字體大小")->currentText(), "10.5");
    EXPECT_EQ(gFontSize, 10);
    EXPECT_EQ(log.events, QStringList({"size 12 10", "size 12 1000", "size 12 10"}));
}

TEST_F(ToolStripTest, SizeTextThatIsNoNumberNeverBecomesTheSize)
{
    enter("cbo字體大小", "12abc");
    EXPECT_EQ(gFontSize, 18);
    EXPECT_EQ(combo("cbo字體大小")->currentText(), "18");
}

TEST_F(ToolStripTest, TypefaceEnterAcceptsOnlyTheTwoBaseTypefaces)
{
    click("mnu_字形結構");
    log.events.clear();

    enter("cbo字型名稱", "標楷體 ");
    EXPECT_EQ(combo("cbo字型名稱")->currentText(), "細明體");
    enter("cbo字型名稱", "細明體"); // already in force: no pass over the views
    EXPECT_TRUE(log.events.isEmpty());

    enter("cbo字型名稱", "標楷體");
    EXPECT_EQ(gBaseFontName, "標楷體");
    EXPECT_EQ(log.events, QStringList({"font 12 標楷體"}));
}

TEST_F(ToolStripTest, SymbolTypeListsItsSymbolsAndLooksUpTheFirst)
{
    click("mnu_字形結構");
    click("mnu_字形索引");
    log.events.clear();

    QComboBox *types = combo("cbo符號類型");
    types->setCurrentIndex(1);
    emit types->activated(1);

    QComboBox *symbols = combo("cbo符號");
    ASSERT_EQ(symbols->count(), 2);
    EXPECT_EQ(symbols->itemText(0), "亻");
    EXPECT_EQ(symbols->itemText(1), "木");
    EXPECT_EQ(window->box("txt字形")->text(), "亻");
    EXPECT_EQ(window->box("txt編號")->text(), "13061");
    EXPECT_EQ(window->box("txt倉頡碼")->text(), "人");
    // The index view is never told of a symbol pick.
    EXPECT_EQ(log.events, QStringList({"glyph 12 標楷體 亻 13061"}));
}

TEST_F(ToolStripTest, ASymbolThatIsNoGlyphFillsThePanelAndReachesNoView)
{
    click("mnu_字形結構");
    click("mnu_異體字表");
    log.events.clear();

    QComboBox *symbols = combo("cbo符號");
    ASSERT_EQ(symbols->itemText(2), QString(QChar(0xF6A5))); // 連接符號 9
    symbols->setCurrentIndex(2);
    emit symbols->activated(2);

    EXPECT_EQ(window->box("txt字形")->text(), QString(QChar(0xF6A5)));
    EXPECT_EQ(window->box("txt編號")->text(), "13064");
    EXPECT_TRUE(log.events.isEmpty()) << log.events.join(", ").toStdString();
}

TEST_F(ToolStripTest, StrokeFiltersFollowTheOpenComponentList)
{
    QComboBox *strokes = combo("cbo筆畫");
    QComboBox *first = combo("cbo首筆");
    EXPECT_FALSE(strokes->isEnabled());
    EXPECT_EQ(strokes->currentText(), "1");

    click("mnu_康熙字典部首");
    EXPECT_TRUE(strokes->isEnabled());
    log.events.clear();

    OnChildWindowActivated(WindowKinds::KangxiRadicals, 3, 2);
    EXPECT_EQ(strokes->currentText(), "3");
    EXPECT_EQ(first->currentText(), "直"); // item 2 of (全), 橫, 直, 撇, 點, 曲
    EXPECT_TRUE(log.events.isEmpty());     // restoring positions queries nothing

    enter("cbo筆畫", "7");
    enter("cbo筆畫", "1-99");
    enter("cbo筆畫", "100");
    EXPECT_EQ(log.events, QStringList({"query 7 2", "query 0 2"}));

    click("mnu_八卦"); // the same window, now a list without stroke counts
    OnChildWindowActivated(WindowKinds::Trigrams, StrokePositionUnchanged, 0);
    EXPECT_FALSE(strokes->isEnabled());

    child(WindowKinds::Trigrams)->frame()->close();
    EXPECT_EQ(strokes->currentText(), "1");
    EXPECT_EQ(first->currentText(), "(全)");
    EXPECT_EQ(gCurrentWindowKind, 0);
    EXPECT_EQ(gCurrentWindowName, "mdi漢字字形");
}

TEST_F(ToolStripTest, ClosingOneOfTwoChildrenKeepsTheCurrentWindow)
{
    click("mnu_字形結構");
    click("mnu_異體字表");
    ASSERT_EQ(gCurrentWindowKind, WindowKinds::VariantCharacters);
    child(WindowKinds::Structure)->frame()->close();
    EXPECT_EQ(gCurrentWindowKind, WindowKinds::VariantCharacters);
}

TEST_F(ToolStripTest, SaveWindowPositionsRecordsTheComponentListUnderItsSection)
{
    gIni.setValue("字形索引", "left", "777");
    click("mnu_八卦");
    SaveWindowPositions();

    EXPECT_EQ(gIni.value("構形部件", "open"), "1");
    EXPECT_EQ(gIni.value("字形索引", "open"), "0");
    EXPECT_EQ(gIni.value("字形索引", "left"), "777");
}

TEST_F(ToolStripTest, FontDialogClampsTheSizeItWritesIntoTheFontBar)
{
    QTimer::singleShot(0, [] {
        QWidget *dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLineEdit *>("txtFontsize")->setText("8");
        dialog->findChild<QPushButton *>("OKButton")->click();
    });
    click("mnu_字型");

    EXPECT_EQ(combo("cbo字體大小")->currentText(), "10");
    EXPECT_EQ(gFontSize, 10);
}

} // namespace

#include "tests/vbprog/murvel/mainwindow/mainwindowfixture.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/mainwindow/toolstrip.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"
#include "vbprog/murvel/views/frm部件範例.h"
#include "vbprog/murvel/views/outlinelist.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace
{

class ComponentListWindowTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        writeIni(RestoredIni());
        ASSERT_TRUE(start());
        window->childWindows().setFactory(WindowKinds::FirstComponentList,
                                          WindowKinds::LastComponentList,
                                          [] { return new frm部件範例; });
    }

    QComboBox *strokes() const { return window->toolStrip().strokeCount; }
    QComboBox *firstStroke() const { return window->toolStrip().firstStroke; }

    // The component-list window, whatever list it holds; null when it is not open.
    ChildWindow *listWindow() const { return child(WindowKinds::FirstComponentList); }
    OutlineList *list() const
    {
        return listWindow() != nullptr ? listWindow()->findChild<OutlineList *>("tree字形樹狀結構")
                                       : nullptr;
    }
    QString status() const { return window->statusBox()->text(); }

    // The component items below the title row, as texts.
    QStringList glyphs() const
    {
        QStringList texts;
        for (int i = 1; i < list()->ListCount(); ++i)
            texts << list()->ItemText(i);
        return texts;
    }

    // The regular 編號 of a glyph, looked up apart from the window.
    qint32 numberOf(const QString &glyph) const
    {
        jet::Table table = gDb楷書.openTable("檢字表").value();
        table.setIndex("字形");
        EXPECT_TRUE(table.seek(glyph)) << glyph.toStdString();
        return table.value("編號").toInt();
    }

    void openAnalysisViews() const
    {
        for (const char *item :
             {"mnu_字形結構", "mnu_異體字表", "mnu_字形演變", "mnu_字形索引", "mnu_異體字根"})
            click(item);
    }

    void activate(ChildWindow *child) const
    {
        window->mdiArea().setActiveSubWindow(child->frame());
    }
};

struct ListOpener {
    const char *menuItem;
    int kind;
    const char *name;
    const char *title;
    int count;
};

TEST_F(ComponentListWindowTest, EveryMenuItemRebuildsTheOneWindowForItsList)
{
    strokes()->setCurrentIndex(0); // "1-99": every stroke count
    const ListOpener openers[] = {
        {"mnu_部件代碼1", 1, "Big5字根", "1-99畫", 9},
        {"mnu_部件代碼2", 2, "Big5及簡化字字根", "1-99畫", 9},
        {"mnu_部件代碼3", 3, "字根", "1-99畫", 10},
        {"mnu_部件代碼4", 4, "小篆獨體字", "1-99畫", 1},
        {"mnu_部件代碼5", 5, "金文字根", "1-99畫", 1},
        {"mnu_部件代碼6", 6, "部件外字", "1-99畫", 1},
        {"mnu_康熙字典部首", 7, "康熙字典部首", "1-99畫", 9},
        {"mnu_說文解字部首", 8, "說文解字部首", "1-99畫", 1},
        {"mnu_八卦", 9, "八卦", "八卦", 8},
        {"mnu_符號", 10, "符號", "符號", 14},
    };
    ChildWindow *first = nullptr;
    for (const ListOpener &opener : openers) {
        SCOPED_TRACE(opener.menuItem);
        click(opener.menuItem);
        ASSERT_NE(listWindow(), nullptr);
        if (first == nullptr)
            first = listWindow();
        EXPECT_EQ(listWindow(), first);
        EXPECT_EQ(loadedKinds(), QList<int>{opener.kind});
        EXPECT_EQ(listWindow()->windowTitle(), opener.name);
        EXPECT_EQ(gCurrentWindowKind, opener.kind);
        EXPECT_EQ(gCurrentWindowName, opener.name);

        ASSERT_EQ(list()->ListCount(), opener.count + 1);
        EXPECT_EQ(list()->ItemText(0), opener.title);
        EXPECT_EQ(list()->ItemFlag(0).toString(), "3");
        EXPECT_EQ(list()->ChildCount(0), opener.count);
        EXPECT_TRUE(list()->Expanded(0));
        EXPECT_EQ(list()->ItemFlag(1).toString(), "0");
        EXPECT_EQ(list()->FontName(), gBaseFontName);

        const QString message = QString::number(opener.count) + " 個部件";
        EXPECT_EQ(gComponentListMessage, message);
        EXPECT_EQ(status(), message);
        // Only the lists with stroke counts take the filters.
        EXPECT_EQ(strokes()->isEnabled(), opener.kind <= WindowKinds::LastStrokeFilterable);
    }
}

TEST_F(ComponentListWindowTest, GlyphsMissingFromTheTableArePseudoItems)
{
    // Of the operator symbols only U+F6A4 and U+F6A5 (items 1 and 3) have a record in the
    // fixture's 檢字表.
    click("mnu_符號");
    ASSERT_EQ(list()->ListCount(), 15);
    EXPECT_EQ(list()->ItemText(1), QString(QChar(0xF6A4))); // ordered by 編號
    EXPECT_EQ(list()->ItemData(1), 13063);
    EXPECT_EQ(list()->ItemData(3), 13064);
    for (int i = 2; i < list()->ListCount(); ++i) {
        if (i == 3)
            continue;
        EXPECT_EQ(list()->ItemData(i), NoGlyphNumber) << i;
    }
    EXPECT_EQ(list()->ItemPicture(2).cacheKey(), list()->PictureUnknown().cacheKey());
}

TEST_F(ComponentListWindowTest, StrokeFiltersListAgainWithTheirTitle)
{
    // Start-up leaves the filters on "1" and "(全)": the list opens with the one-stroke radical.
    click("mnu_康熙字典部首");
    EXPECT_EQ(list()->ItemText(0), "1畫");
    EXPECT_EQ(glyphs(), QStringList{"一"});

    strokes()->setCurrentIndex(4);
    EXPECT_EQ(list()->ItemText(0), "4畫");
    EXPECT_EQ(glyphs(), QStringList({"木", "日", "月"}));
    EXPECT_EQ(status(), "3 個部件");

    firstStroke()->setCurrentIndex(2);
    EXPECT_EQ(list()->ItemText(0), "4畫(直)");
    EXPECT_EQ(glyphs(), QStringList{"日"});

    strokes()->setCurrentIndex(0); // any count, ordered by stroke count
    EXPECT_EQ(list()->ItemText(0), "1-99畫(直)");
    EXPECT_EQ(glyphs(), QStringList({"口", "日"}));

    strokes()->setCurrentIndex(9); // nothing has nine strokes
    EXPECT_EQ(list()->ListCount(), 1);
    EXPECT_TRUE(list()->Expanded(0));
    EXPECT_EQ(status(), "0 個部件");
}

TEST_F(ComponentListWindowTest, SymbolListsIgnoreTheFilters)
{
    strokes()->setCurrentIndex(3);
    firstStroke()->setCurrentIndex(2);
    click("mnu_八卦");
    EXPECT_EQ(list()->ItemText(0), "八卦");
    EXPECT_EQ(list()->ListCount(), 9);
    EXPECT_FALSE(strokes()->isEnabled());
}

TEST_F(ComponentListWindowTest, SelectingAGlyphBroadcastsItToEveryOpenAnalysisView)
{
    openAnalysisViews();
    click("mnu_康熙字典部首");
    strokes()->setCurrentIndex(4);
    log.events.clear();

    list()->setListIndex(2); // 日
    const QString number = QString::number(numberOf("日"));
    const QString face = gBaseFontName;
    EXPECT_EQ(log.events, QStringList({
                              "glyph 12 " + face + " 日 " + number,
                              "glyph 13 " + face + " 日 " + number,
                              "glyph 15 " + face + " 日 " + number,
                              "glyph 16 " + face + " 日 " + number,
                              "glyph 14 " + face + " 日 " + number,
                          }));
    EXPECT_EQ(window->box("txt編號")->text(), number);
    EXPECT_EQ(window->box("txt字形")->text(), "日");
    EXPECT_EQ(status(), "3 個部件");
}

TEST_F(ComponentListWindowTest, TheTitleRowBroadcastsNothing)
{
    openAnalysisViews();
    click("mnu_康熙字典部首");
    const QString shown = window->box("txt字形")->text();
    log.events.clear();
    window->statusBox()->clear();

    list()->setListIndex(0);
    EXPECT_TRUE(log.events.isEmpty());
    EXPECT_EQ(window->box("txt字形")->text(), shown);
    EXPECT_EQ(status(), "");
}

TEST_F(ComponentListWindowTest, ActivationPutsTheFiltersBackToTheLastQuery)
{
    click("mnu_康熙字典部首");
    strokes()->setCurrentIndex(3);
    firstStroke()->setCurrentIndex(2);
    ASSERT_EQ(list()->ItemText(0), "3畫(直)");
    ChildWindow *lists = listWindow();

    click("mnu_字形結構");
    ASSERT_EQ(gCurrentWindowKind, WindowKinds::Structure);
    gStrokeFiltersReady = false; // move the filters without a query
    strokes()->setCurrentIndex(5);
    firstStroke()->setCurrentIndex(4);
    gStrokeFiltersReady = true;
    window->statusBox()->clear();

    activate(lists);
    EXPECT_EQ(strokes()->currentText(), "3");
    EXPECT_EQ(firstStroke()->currentText(), "直");
    EXPECT_EQ(list()->ItemText(0), "3畫(直)"); // restoring the filters queries nothing
    EXPECT_EQ(gCurrentWindowKind, WindowKinds::KangxiRadicals);
    EXPECT_EQ(gCurrentWindowName, "康熙字典部首");
    EXPECT_EQ(status(), "1 個部件");
}

TEST_F(ComponentListWindowTest, ReopeningAnotherKindTurnsTheWindowIntoThatList)
{
    click("mnu_康熙字典部首");
    strokes()->setCurrentIndex(3);
    ChildWindow *lists = listWindow();

    click("mnu_八卦");
    EXPECT_EQ(listWindow(), lists);
    EXPECT_EQ(lists->windowKind(), WindowKinds::Trigrams);
    EXPECT_EQ(lists->windowTitle(), "八卦");
    EXPECT_EQ(list()->ItemText(0), "八卦");
    EXPECT_EQ(list()->ItemText(1), QString(QChar(0xEDC0)));

    // Back to a list with strokes, queried with the filters as they stand: no radical of
    // 說文部首 has three strokes.
    click("mnu_說文解字部首");
    EXPECT_EQ(lists->windowKind(), WindowKinds::ShuowenRadicals);
    EXPECT_TRUE(strokes()->isEnabled());
    EXPECT_EQ(list()->ItemText(0), "3畫");
    EXPECT_EQ(list()->ListCount(), 1);
    strokes()->setCurrentIndex(1);
    EXPECT_EQ(glyphs(), QStringList{"一"});
}

TEST_F(ComponentListWindowTest, ClosingEmptiesTheStatusAndResetsTheFilters)
{
    click("mnu_康熙字典部首");
    strokes()->setCurrentIndex(4);
    ASSERT_FALSE(status().isEmpty());

    listWindow()->frame()->close();
    EXPECT_EQ(listWindow(), nullptr);
    EXPECT_EQ(status(), "");
    EXPECT_EQ(gCurrentWindowKind, WindowKinds::Main);
    EXPECT_FALSE(strokes()->isEnabled());
    EXPECT_EQ(strokes()->currentText(), "1");
}

TEST_F(ComponentListWindowTest, AQueryThatFailsIsReportedInTheStatusBox)
{
    click("mnu_康熙字典部首");
    auto *lists = dynamic_cast<frm部件範例 *>(listWindow());
    ASSERT_NE(lists, nullptr);
    // A database without the radical tables in place of murvel.mdb.
    const jet::Database murvel = gDb楷書;
    gDb楷書 = jet::Database::open(QDir(folder.path()).filePath("qelseal.mdb")).value();
    ASSERT_TRUE(gDb楷書.isOpen());
    lists->部件查詢(0, 0);
    gDb楷書 = murvel;

    EXPECT_EQ(list()->ListCount(), 1);
    EXPECT_EQ(list()->ItemText(0), "1-99畫");
    EXPECT_TRUE(list()->Redraw());
    EXPECT_TRUE(status().contains("康熙部首")) << status().toStdString();
    EXPECT_EQ(gComponentListMessage, status());
}

TEST_F(ComponentListWindowTest, TheListFollowsTheBaseTypeface)
{
    click("mnu_康熙字典部首");
    const QString other = gBaseFontName == "標楷體" ? "細明體" : "標楷體";
    window->toolStrip().fontName->setEditText(other);
    window->toolStrip().applyFontName();
    EXPECT_EQ(list()->FontName(), other);
    EXPECT_EQ(list()->ItemFontName(1), other);
}

TEST_F(ComponentListWindowTest, TheListsFocusLeavesTheCurrentWindowAlone)
{
    click("mnu_康熙字典部首");
    gCurrentWindowKind = WindowKinds::Main; // a panel box had the focus
    emit list()->GotFocus();
    EXPECT_EQ(gCurrentWindowKind, WindowKinds::Main);
}

} // namespace

#include "../mainwindow/mainwindowfixture.h"
#include "vbprog/murvel/core/databases.h"
#include "vbprog/murvel/core/recordfields.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"
#include "vbprog/murvel/views/frm字形結構.h"
#include "vbprog/murvel/views/outlinelist.h"
#include "vbprog/murvel/views/rolemarks.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTest>

namespace
{

const QString Seal = QStringLiteral("北師大說文小篆");
const QString Bronze = QStringLiteral("Ombrel金文");
const QString Unshowable = QStringLiteral("\uF6B0");

// The structure view in the real main window, on the structure fixture, with fake views
// of the variant characters (13) and the evolution (15) open to receive its broadcasts.
class StructureViewTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        const QDir fixture(QStringLiteral(MURVEL_FIXTURE_DIR "/structure"));
        for (const QString file : {"murvel.mdb", "qelseal.mdb", "qelbronz.mdb"}) {
            const QString target = QDir(folder.path()).filePath(file);
            ASSERT_TRUE(QFile::remove(target));
            ASSERT_TRUE(QFile::copy(fixture.filePath(file), target));
        }
        writeIni("[Start]\nfirst=2\n[Window]\nleft=0\ntop=0\nwidth=9000\nheight=6000\n"
                 "[Font]\nfontname=標楷體\nfontsize=18\n[異體字表]\nopen=1\n[字形演變]\nopen=1\n");
        ASSERT_TRUE(start());
        window->childWindows().setFactory(WindowKinds::Structure, WindowKinds::Structure,
                                          [] { return new frm字形結構; });
        window->menus().setChecked("mnu_說文解形順序", true);
    }

    frm字形結構 *open()
    {
        click("mnu_字形結構");
        auto *view = dynamic_cast<frm字形結構 *>(child(WindowKinds::Structure));
        tree = view != nullptr ? view->list() : nullptr;
        return view;
    }

    // The regular 編號 of a glyph.
    static qint32 regular(const QString &glyph)
    {
        gRs檢字表楷書.setIndex("字形");
        EXPECT_TRUE(gRs檢字表楷書.seek(glyph)) << glyph.toStdString();
        return Int32Field(gRs檢字表楷書.value("編號")).value_or(0);
    }

    // Looks a glyph up through the main window, which broadcasts it.
    void lookUp(const QString &glyph) const
    {
        QLineEdit *box = window->box("txt字形");
        box->setText(glyph);
        QTest::keyClick(box, Qt::Key_Return);
    }

    QStringList texts() const
    {
        QStringList list;
        for (int i = 0; i < tree->ListCount(); ++i)
            list << tree->ItemText(i);
        return list;
    }

    // The user opens item `index`.
    void expand(int index) const { emit tree->Expand(index); }

    bool hasPicture(int index, const QPixmap &picture) const
    {
        return tree->ItemPicture(index).cacheKey() == picture.cacheKey();
    }

    OutlineList *tree = nullptr;
};

TEST_F(StructureViewTest, OpeningShowsThePanelsGlyphWithItsComponents)
{
    lookUp("明");
    frm字形結構 *view = open();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->windowTitle(), "字形結構");
    EXPECT_TRUE(gOpen字形結構);
    EXPECT_EQ(texts(), QStringList({"明", "日", "月"}));
    EXPECT_EQ(tree->ItemData(0), regular("明"));
    EXPECT_EQ(tree->ItemFontName(0), "標楷體");
    EXPECT_TRUE(hasPicture(0, tree->PictureComposite()));
    EXPECT_TRUE(tree->Expanded(0));
    EXPECT_EQ(tree->ItemData(1), regular("日"));
    EXPECT_TRUE(hasPicture(1, tree->PictureLeaf()));
    EXPECT_EQ(tree->ItemFlag(1).toInt(), 0);
    EXPECT_EQ(tree->MarkStyle(), 1);
}

TEST_F(StructureViewTest, ANestedCompositionOpensOneLevelAtATime)
{
    frm字形結構 *view = open();
    view->載入字形("標楷體", "森", regular("森"));
    // 林 is composite: it holds only its placeholder until it is opened.
    ASSERT_EQ(texts(), QStringList({"森", "木", "林", ""}));
    EXPECT_TRUE(hasPicture(2, tree->PictureComposite()));
    EXPECT_EQ(tree->ChildCount(2), 1);

    expand(2);
    EXPECT_EQ(texts(), QStringList({"森", "木", "林", "\uF6A7木"}));
    EXPECT_EQ(tree->ItemData(3), -999999);
    EXPECT_EQ(tree->ItemFlag(3).toInt(), 3);
    EXPECT_TRUE(tree->Redraw());

    expand(2); // already loaded: nothing more
    EXPECT_EQ(tree->ListCount(), 4);
}

TEST_F(StructureViewTest, ASmallSealGlyphShowsTheRolesOfItsComponents)
{
    frm字形結構 *view = open();
    view->載入字形(Seal, "江", 10);
    // 水 and 工 are pictures (○): each opens on the symbol of a part that is no character.
    ASSERT_EQ(texts(), QStringList({"江", "水", "", "工", ""}));
    EXPECT_EQ(tree->ItemFontName(0), Seal);
    EXPECT_EQ(tree->ItemFontName(3), Seal);
    EXPECT_EQ(tree->ItemData(3), 9);
    EXPECT_EQ(tree->ItemMark(1), RoleMarks::None);
    EXPECT_EQ(tree->ItemMark(3), RoleMarks::Phonetic);
    EXPECT_EQ(tree->MarkStyle(), 2);
    EXPECT_FALSE(tree->MarkPicture(RoleMarks::Phonetic).isNull());

    // The next load starts counting afresh.
    view->載入字形("標楷體", "明", regular("明"));
    EXPECT_EQ(tree->MarkStyle(), 1);
}

TEST_F(StructureViewTest, MarksFoundByOpeningAComponentShowTheMarkColumn)
{
    frm字形結構 *view = open();
    view->載入字形(Seal, "森", 21);
    ASSERT_EQ(texts(), QStringList({"森", "林", "", "木", ""}));
    EXPECT_EQ(tree->MarkStyle(), 1);
    expand(1);
    ASSERT_EQ(texts(), QStringList({"森", "林", "木", "", "木", ""}));
    EXPECT_EQ(tree->ItemMark(2), 20);
    EXPECT_EQ(tree->MarkStyle(), 2);
}

TEST_F(StructureViewTest, AComponentMissingFromTheTableIsAnUnknownPseudoItem)
{
    frm字形結構 *view = open();
    view->載入字形("標楷體", "秋", regular("秋"));
    ASSERT_EQ(texts(), QStringList({"秋", "禾", "火"}));
    EXPECT_TRUE(hasPicture(2, tree->PictureUnknown()));
    EXPECT_EQ(tree->ItemData(2), -999999);
    EXPECT_EQ(tree->ItemFlag(2).toInt(), 3);

    // In the small seal it still takes its role letter, written in lower case.
    view->載入字形(Seal, "河", 11);
    ASSERT_EQ(texts(), QStringList({"河", "水", "", "可"}));
    EXPECT_TRUE(hasPicture(3, tree->PictureUnknown()));
    EXPECT_EQ(tree->ItemMark(3), RoleMarks::Phonetic);
}

TEST_F(StructureViewTest, ARepeatedSealComponentIsItsPrincipalRecordAndNeverAnotherGlyph)
{
    frm字形結構 *view = open();
    view->載入字形(Seal, "品", 16);
    ASSERT_EQ(texts(), QStringList({"品", "口", ""}));
    EXPECT_EQ(tree->ItemData(1), 15); // not 14, the form marked 重複
    EXPECT_EQ(tree->ItemFontName(1), Seal);
    EXPECT_EQ(tree->ItemMark(1), 21);

    view->載入字形(Seal, "乩", 19);
    ASSERT_EQ(texts(), QStringList({"乩", "占", "乙"}));
    EXPECT_EQ(tree->ItemData(2), -999999); // not 九's 18
    EXPECT_TRUE(hasPicture(2, tree->PictureUnknown()));
}

TEST_F(StructureViewTest, TheOptionChoosesTheSmallSealAnalysisOnTheNextLoadOrExpansion)
{
    frm字形結構 *view = open();
    view->載入字形(Seal, "朙", 5);
    EXPECT_EQ(texts(), QStringList({"朙", "月", "", "囧", ""}));
    window->menus().setChecked("mnu_說文解形順序", false);
    EXPECT_EQ(texts(), QStringList({"朙", "月", "", "囧", ""}));
    view->載入字形(Seal, "朙", 5);
    EXPECT_EQ(texts(), QStringList({"朙", "囧", "", "月", ""}));

    // Bronze analyses have one order only; 日, an unidentified form, opens on the symbol.
    view->載入字形(Bronze, "明", 3);
    ASSERT_EQ(texts(), QStringList({"明", "日", "", "月"}));
    EXPECT_EQ(tree->ItemFontName(1), Bronze);
    expand(1);
    EXPECT_EQ(texts(), QStringList({"明", "日", Unshowable, "月"}));
}

TEST_F(StructureViewTest, WholeGlyphAnalysesAndRegularCharacterComponents)
{
    frm字形結構 *view = open();
    view->載入字形(Seal, "日", 2); // ○: a composite, open root over the symbol
    EXPECT_EQ(texts(), QStringList({"日", Unshowable}));
    EXPECT_TRUE(tree->Expanded(0));

    view->載入字形(Bronze, "日", 1); // □: a leaf flagged 1
    EXPECT_EQ(texts(), QStringList({"日"}));
    EXPECT_TRUE(hasPicture(0, tree->PictureLeaf()));
    EXPECT_EQ(tree->ItemFlag(0).toInt(), 1);

    // A form listed under its head: the repeated 木 marked L is the regular 木.
    view->載入字形("北師大說文重文", "林", 20);
    ASSERT_EQ(texts(), QStringList({"林", "木"}));
    EXPECT_EQ(tree->ItemFontName(0), "北師大說文重文");
    EXPECT_EQ(tree->ItemFontName(1), "標楷體");
    EXPECT_EQ(tree->ItemData(1), regular("木"));
    EXPECT_EQ(tree->ItemMark(1), 20);
    EXPECT_FALSE(hasPicture(1, tree->PictureLeaf()));
    EXPECT_FALSE(hasPicture(1, tree->PictureUnknown()));
}

TEST_F(StructureViewTest, AGlyphMissingFromItsScriptIsAPseudoRootAndNonPositiveNumbersLoadNothing)
{
    frm字形結構 *view = open();
    view->載入字形(Seal, "丙", 777);
    EXPECT_EQ(texts(), QStringList({"丙"}));
    EXPECT_EQ(tree->ItemData(0), -999999);
    EXPECT_EQ(tree->ItemFlag(0).toInt(), 3);

    view->載入字形("標楷體", "明", 0);
    view->載入字形("標楷體", "明", -999999);
    EXPECT_EQ(texts(), QStringList({"丙"}));
}

TEST_F(StructureViewTest, ALoadEmptiesTheStatusMessages)
{
    frm字形結構 *view = open();
    gGlyphViewMessage = "舊訊息";
    window->statusBox()->setText("舊訊息");
    view->載入字形("標楷體", "明", regular("明"));
    EXPECT_TRUE(gGlyphViewMessage.isEmpty());
    EXPECT_TRUE(window->statusBox()->text().isEmpty());
}

TEST_F(StructureViewTest, TheLockedViewIgnoresBroadcastsAndUnlockingDoesNotReload)
{
    lookUp("明");
    frm字形結構 *view = open();
    view->toggleLock();
    EXPECT_EQ(view->windowTitle(), "字形結構(鎖定)");
    EXPECT_EQ(view->findChild<QLabel *>("imglock")->property("Tag").toString(), "1");

    lookUp("森");
    view->載入字形("標楷體", "品", regular("品"));
    EXPECT_EQ(texts(), QStringList({"明", "日", "月"}));

    view->toggleLock();
    EXPECT_EQ(view->windowTitle(), "字形結構");
    EXPECT_EQ(texts(), QStringList({"明", "日", "月"}));
    lookUp("品");
    EXPECT_EQ(texts(), QStringList({"品", "\uF6A8口"}));
}

TEST_F(StructureViewTest, ASelectionFillsThePanelAndTellsTheOtherViewsInOrder)
{
    frm字形結構 *view = open();
    view->載入字形("標楷體", "明", regular("明"));
    log.events.clear();
    tree->setListIndex(2);
    EXPECT_EQ(window->box("txt字形")->text(), "月");
    const QString number = QString::number(regular("月"));
    EXPECT_EQ(log.events,
              QStringList({"glyph 13 標楷體 月 " + number, "glyph 15 標楷體 月 " + number}));
    EXPECT_EQ(texts(), QStringList({"明", "日", "月"})); // the view does not reload itself

    // Activation repeats the broadcast of the selection.
    log.events.clear();
    view->activated();
    EXPECT_EQ(log.events.size(), 2);
}

TEST_F(StructureViewTest, ASealComponentIsBroadcastInItsScript)
{
    frm字形結構 *view = open();
    view->載入字形(Seal, "江", 10);
    log.events.clear();
    tree->setListIndex(3);
    EXPECT_EQ(log.events,
              QStringList({"glyph 13 " + Seal + " 工 9", "glyph 15 " + Seal + " 工 9"}));
    EXPECT_EQ(window->box("txt字形")->text(), "工"); // the panel shows the regular glyph
}

TEST_F(StructureViewTest, AClosedViewIsNoLongerTold)
{
    frm字形結構 *view = open();
    view->frame()->close();
    EXPECT_FALSE(gOpen字形結構);
    lookUp("明"); // reaches the fake views only
    EXPECT_EQ(child(WindowKinds::Structure), nullptr);
}

} // namespace

#include "../mainwindow/mainwindowfixture.h"
#include "tests/support/printqstring.h"
#include "vbprog/murvel/core/databases.h"
#include "vbprog/murvel/core/recordfields.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"
#include "vbprog/murvel/views/frm異體字根.h"
#include "vbprog/murvel/views/frm異體字表.h"
#include "vbprog/murvel/views/outlinelist.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTest>
#include <ostream>

namespace
{

const QChar BronzeForm(0xE200);
const QChar MissingCharacter(0xE000);

// The list drawn one line per item, indented by depth: text, typeface, data, picture ("+"
// when expanded), flag and mark.
class ListLines
{
public:
    explicit ListLines(const OutlineList &list) : m_list(list)
    {
        for (int index = 0; index < list.ListCount();)
            index = walk(index, 0);
    }
    QStringList lines;

private:
    int walk(int index, int depth)
    {
        lines << QString(depth * 2, ' ') +
                     QStringLiteral("%1 %2 %3 %4%5 f%6 m%7")
                         .arg(m_list.ItemText(index), m_list.ItemFontName(index))
                         .arg(m_list.ItemData(index))
                         .arg(picture(index))
                         .arg(m_list.Expanded(index) ? "+" : "")
                         .arg(m_list.ItemFlag(index).toInt())
                         .arg(m_list.ItemMark(index));
        int next = index + 1;
        for (int child = 0; child < m_list.ChildCount(index); ++child)
            next = walk(next, depth + 1);
        return next;
    }

    QString picture(int index) const
    {
        const qint64 key = m_list.ItemPicture(index).cacheKey();
        if (m_list.ItemPicture(index).isNull())
            return "none";
        if (key == m_list.PictureNode().cacheKey())
            return "node";
        if (key == m_list.PictureUnknown().cacheKey())
            return "unknown";
        if (key == m_list.PictureComposite().cacheKey())
            return "composite";
        if (key == m_list.PictureLeaf().cacheKey())
            return "leaf";
        return "other";
    }

    const OutlineList &m_list;
};

QStringList Lines(const VariantWindow *view)
{
    return ListLines(*view->list()).lines;
}

QString Finished(int count)
{
    return QStringLiteral("載入完畢！ 共 %1 個字形").arg(count);
}

// Runs `call` from the event loop: as a broadcast, a key or a click reaches a view while it
// yields.
void Later(std::function<void()> call)
{
    QMetaObject::invokeMethod(qApp, std::move(call), Qt::QueuedConnection);
}

class VariantViewTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        const QDir fixtures(QStringLiteral(MURVEL_FIXTURE_DIR "/variants"));
        for (const QString &file : ScriptDatabaseFiles) {
            const QString target = QDir(folder.path()).filePath(file);
            QFile::remove(target);
            ASSERT_TRUE(QFile::copy(fixtures.filePath(file), target));
        }
        // A restored run that reopens no view, in the regular base typeface.
        writeIni("[Start]\nfirst=2\n[Window]\nleft=1500\ntop=750\nwidth=9000\nheight=6000\n"
                 "[Font]\nfontname=標楷體\nfontsize=24\n");
        ASSERT_TRUE(start());
        ASSERT_EQ(gBaseFontName, "標楷體");
        ASSERT_TRUE(loadedKinds().isEmpty());
        window->childWindows().setFactory(WindowKinds::VariantCharacters,
                                          WindowKinds::VariantCharacters,
                                          [] { return new frm異體字表; });
        window->childWindows().setFactory(WindowKinds::VariantComponents,
                                          WindowKinds::VariantComponents,
                                          [] { return new frm異體字根; });
    }

    frm異體字表 *openCharacters()
    {
        click("mnu_異體字表");
        return dynamic_cast<frm異體字表 *>(child(WindowKinds::VariantCharacters));
    }
    frm異體字根 *openComponents()
    {
        click("mnu_異體字根");
        return dynamic_cast<frm異體字根 *>(child(WindowKinds::VariantComponents));
    }

    // The regular 編號 of a glyph.
    static qint32 regular(const QString &glyph)
    {
        jet::Table table = gRs檢字表楷書;
        if (!table.setIndex("字形") || !table.seek(glyph))
            return 0;
        return Int32Field(table.value("編號")).value_or(0);
    }

    // A lookup of the glyph typed into the main window, which broadcasts it.
    void lookUp(const QString &glyph) const
    {
        QLineEdit *box = window->box("txt字形");
        box->setText(glyph);
        QTest::keyClick(box, Qt::Key_Return);
    }

    QString status() const { return window->statusBox()->text(); }

    static QString n(const QString &glyph) { return QString::number(regular(glyph)); }
};

// --- frm異體字表

TEST_F(VariantViewTest, TheCharacterViewStartsWithOneEmptyItemAndItsMarkTable)
{
    frm異體字表 *view = openCharacters();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(gOpen異體字表);
    EXPECT_EQ(view->windowTitle(), "異體字表");
    EXPECT_EQ(view->list()->objectName(), "tree字形樹狀結構");
    EXPECT_EQ(view->list()->ListCount(), 1);
    EXPECT_TRUE(view->list()->ItemText(0).isEmpty());
    for (int category : {2, 3, 4, 5, 6, 7, 8, 11, 12, 13, 99})
        EXPECT_FALSE(view->list()->MarkPicture(category).isNull()) << category;
    EXPECT_TRUE(view->list()->MarkPicture(9).isNull());
}

TEST_F(VariantViewTest, ARegularGroupListsItsHeadWithTheMarkedVariants)
{
    frm異體字表 *view = openCharacters();
    view->載入字形("標楷體", "綫", regular("綫"));
    EXPECT_EQ(Lines(view), QStringList({"線 標楷體 " + n("線") + " node+ f0 m0",
                                        "  綫 標楷體 " + n("綫") + " none f0 m4",
                                        "  线 標楷體 " + n("线") + " none f0 m2"}));
    EXPECT_EQ(view->list()->MarkStyle(), 2);
    EXPECT_EQ(status(), Finished(3));
    EXPECT_EQ(gVariantViewMessage, Finished(3));
}

TEST_F(VariantViewTest, TheMarkColumnFollowsTheCategoriesOfEachLoad)
{
    frm異體字表 *view = openCharacters();
    view->載入字形("標楷體", "床", regular("床")); // category 9: no picture, still a mark
    EXPECT_EQ(view->list()->MarkStyle(), 2);
    EXPECT_EQ(view->list()->ItemMark(1), 0);
    view->載入字形("標楷體", "峰", regular("峰")); // no category at all
    EXPECT_EQ(view->list()->MarkStyle(), 1);
    EXPECT_EQ(status(), Finished(2));
}

TEST_F(VariantViewTest, AGlyphInTwoGroupsIsTheirRootAndBronzeFormsAreZodi)
{
    frm異體字表 *view = openCharacters();
    view->載入字形("標楷體", "台", regular("台"));
    EXPECT_EQ(Lines(view), QStringList({"台 標楷體 " + n("台") + " node+ f0 m0",
                                        "  臺 標楷體 " + n("臺") + " composite+ f0 m0",
                                        "    台 標楷體 " + n("台") + " none f0 m2",
                                        "  颱 標楷體 " + n("颱") + " composite+ f0 m0",
                                        "    台 標楷體 " + n("台") + " none f0 m2"}));
    EXPECT_EQ(status(), Finished(4));

    view->載入字形("標楷體", "寶", regular("寶"));
    const QStringList lines = Lines(view);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[1].startsWith("  " + QString(BronzeForm) + " zodi "))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[1].endsWith("none f1 m11")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith("  " + QString(MissingCharacter) + " 標楷體外字集一 "));
}

TEST_F(VariantViewTest, ASealGroupShowsTheRegularGlyphInSealWithoutMarks)
{
    frm異體字表 *view = openCharacters();
    view->載入字形("北師大說文小篆", "上", 1);
    EXPECT_EQ(Lines(view),
              QStringList({"上 北師大說文小篆 1 composite f0 m0", "上 北師大說文小篆 1 node+ f0 m0",
                           "  上 北師大說文重文 2 leaf f0 m0"}));
    EXPECT_EQ(view->list()->MarkStyle(), 1);
    EXPECT_EQ(status(), Finished(3));
}

TEST_F(VariantViewTest, ABronzeGroupHangsItsFormsUnderTheRegularGlyph)
{
    frm異體字表 *view = openCharacters();
    view->載入字形("Ombrel金文", "明", 2);
    EXPECT_EQ(Lines(view),
              QStringList({"明 標楷體 " + n("明") + " composite+ f0 m0",
                           "  明 Ombrel金文 1 leaf f0 m0", "  明 Ombrel金文 2 leaf f0 m0"}));
}

TEST_F(VariantViewTest, AGlyphWithoutVariantsIsShownAlone)
{
    frm異體字表 *view = openCharacters();
    view->載入字形("標楷體", "明", regular("明"));
    EXPECT_EQ(Lines(view), QStringList({"明 標楷體 " + n("明") + " leaf f0 m0"}));
    EXPECT_EQ(status(), Finished(0));
}

TEST_F(VariantViewTest, AMissingMemberRecordIsLeftOutAndNotCounted)
{
    frm異體字表 *view = openCharacters();
    view->載入字形("標楷體", "吉", regular("吉"));
    EXPECT_EQ(Lines(view), QStringList({"吉 標楷體 " + n("吉") + " node+ f0 m0"}));
    EXPECT_EQ(status(), Finished(1));
}

TEST_F(VariantViewTest, ANumberOfZeroOrLessLoadsNothing)
{
    frm異體字表 *view = openCharacters();
    view->載入字形("標楷體", "線", regular("線"));
    view->載入字形("標楷體", "x", 0);
    view->載入字形("標楷體", "x", -9999);
    EXPECT_EQ(view->list()->ItemText(0), "線");
}

TEST_F(VariantViewTest, OpeningTheViewLoadsThePanelsGlyphAndLookupsReachIt)
{
    lookUp("群");
    frm異體字表 *view = openCharacters();
    EXPECT_EQ(view->list()->ListCount(), 2);
    EXPECT_EQ(view->list()->ItemText(1), "羣");
    lookUp("峰");
    EXPECT_EQ(view->list()->ItemText(0), "峰");
}

TEST_F(VariantViewTest, ALockedViewKeepsItsListUntilTheNextBroadcastAfterUnlocking)
{
    frm異體字表 *view = openCharacters();
    view->載入字形("標楷體", "線", regular("線"));
    view->toggleLock();
    EXPECT_EQ(view->findChild<QLabel *>("imglock")->property("Tag").toString(), "1");
    EXPECT_EQ(view->windowTitle(), "異體字表(鎖定)");
    lookUp("群");
    view->載入字形("標楷體", "峰", regular("峰"));
    EXPECT_EQ(view->list()->ItemText(0), "線");

    view->toggleLock();
    EXPECT_EQ(view->windowTitle(), "異體字表");
    EXPECT_EQ(view->list()->ItemText(0), "線");
    lookUp("群");
    EXPECT_EQ(view->list()->ItemText(0), "群");
}

// --- long loads: 百 heads three groups of 31 rows; the first yield comes after two groups.

TEST_F(VariantViewTest, EscDuringALoadStopsItBeforeTheNextGroupAndTheNextLoadIsWhole)
{
    frm異體字表 *view = openCharacters();
    const qint32 bai = regular("百");
    QCoreApplication::postEvent(view->list(),
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    view->載入字形("標楷體", "百", bai);
    EXPECT_EQ(view->list()->ListCount(), 1 + 2 * 31);
    EXPECT_EQ(status(), Finished(62));
    EXPECT_TRUE(view->list()->Redraw());
    EXPECT_TRUE(view->list()->Expanded(1));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    view->載入字形("標楷體", "百", bai);
    EXPECT_EQ(view->list()->ListCount(), 1 + 3 * 31);
    EXPECT_EQ(status(), Finished(93));
}

TEST_F(VariantViewTest, ABroadcastDuringALoadStopsItAndIsLoadedAfterIt)
{
    frm異體字表 *view = openCharacters();
    Later([view] { view->載入字形("標楷體", "線", regular("線")); });
    view->載入字形("標楷體", "百", regular("百"));
    EXPECT_EQ(view->list()->ListCount(), 3);
    EXPECT_EQ(view->list()->ItemText(0), "線");
    EXPECT_EQ(status(), Finished(3));
    EXPECT_EQ(gVariantViewMessage, Finished(3));
}

TEST_F(VariantViewTest, ClosingTheViewDuringALoadStopsTheLoad)
{
    frm異體字表 *view = openCharacters();
    window->statusBox()->clear();
    Later([view] { view->frame()->close(); });
    view->載入字形("標楷體", "百", regular("百"));
    EXPECT_FALSE(gOpen異體字表);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(child(WindowKinds::VariantCharacters), nullptr);
    // The load ended where it was, without an end message, and gave the pointer back.
    EXPECT_EQ(status(), LongLoad::kLoadingMessage);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(VariantViewTest, ASelectionFillsThePanelAndReachesTheOtherViews)
{
    click("mnu_字形結構"); // a stand-in structure view
    frm異體字根 *components = openComponents();
    frm異體字表 *view = openCharacters();
    view->載入字形("標楷體", "台", regular("台"));
    log.events.clear();

    view->list()->setListIndex(1);
    EXPECT_EQ(window->box("txt字形")->text(), "臺");
    EXPECT_TRUE(log.events.contains("glyph 12 標楷體 臺 " + n("臺")))
        << log.events.join(", ").toStdString();
    EXPECT_EQ(Lines(components), QStringList({"臺 標楷體 " + n("臺") + " unknown f0 m0"}));
    EXPECT_EQ(status(), gVariantViewMessage);
    EXPECT_EQ(status(), Finished(0));

    // A bronze form is passed on as a regular glyph.
    view->載入字形("標楷體", "寶", regular("寶"));
    log.events.clear();
    view->list()->setListIndex(1);
    const qint32 bronze = view->list()->ItemData(1);
    EXPECT_TRUE(
        log.events.contains(QStringLiteral("glyph 12 zodi %1 %2").arg(BronzeForm).arg(bronze)))
        << log.events.join(", ").toStdString();
    EXPECT_EQ(components->list()->ItemData(0), bronze);
}

TEST_F(VariantViewTest, ActivationShowsTheSharedVariantMessage)
{
    frm異體字表 *view = openCharacters();
    view->載入字形("標楷體", "線", regular("線"));
    window->statusBox()->clear();
    view->activated();
    EXPECT_EQ(status(), Finished(3));
    EXPECT_EQ(gCurrentWindowKind, WindowKinds::VariantCharacters);
}

// --- frm異體字根

TEST_F(VariantViewTest, TheComponentViewStartsEmptyWhileThePanelShowsNoGlyph)
{
    gCurrentGlyphNumber = 0;
    frm異體字根 *view = openComponents();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(gOpen異體字根);
    EXPECT_EQ(view->windowTitle(), "異體字根");
    EXPECT_EQ(view->list()->ListCount(), 0);
}

TEST_F(VariantViewTest, TheHeadOfAComponentGroupHasNoRootAndAMemberHasOne)
{
    frm異體字根 *view = openComponents();
    view->載入字形("標楷體", "网", regular("网"));
    EXPECT_EQ(Lines(view), QStringList({"网 標楷體 " + n("网") + " node+ f0 m0",
                                        "  罒 標楷體 " + n("罒") + " unknown f0 m0",
                                        "  罓 標楷體 " + n("罓") + " unknown f0 m0",
                                        "  罔 標楷體 " + n("罔") + " leaf f0 m0"}));
    EXPECT_EQ(status(), Finished(4));

    view->載入字形("標楷體", "阝", regular("阝"));
    EXPECT_EQ(Lines(view), QStringList({"阝 標楷體 " + n("阝") + " node+ f0 m0",
                                        "  阜 標楷體 " + n("阜") + " composite+ f0 m0",
                                        "    阝 標楷體 " + n("阝") + " unknown f0 m0",
                                        "  邑 標楷體 " + n("邑") + " composite+ f0 m0",
                                        "    阝 標楷體 " + n("阝") + " unknown f0 m0"}));
    EXPECT_EQ(status(), Finished(4));
}

TEST_F(VariantViewTest, AnAncientGlyphListsTheComponentsOfItsRegularGlyph)
{
    frm異體字根 *view = openComponents();
    const QStringList man = {"人 標楷體 " + n("人") + " node+ f0 m0",
                             "  亻 標楷體 " + n("亻") + " unknown f0 m0"};
    view->載入字形("北師大說文小篆", "人", 3);
    EXPECT_EQ(Lines(view), man);
    // The working handle is left on the regular table, index 編號.
    EXPECT_TRUE(gRs檢字表.fieldNames().contains("小篆編號"));
    EXPECT_EQ(gRs檢字表.index(), "編號");

    // An oracle-bone number is no regular number: it too goes through its record.
    view->載入字形("標楷體", "木", regular("木"));
    view->載入字形("Ombrel甲骨文", "人", 1);
    EXPECT_EQ(Lines(view), man);
}

TEST_F(VariantViewTest, AComponentWithoutGroupsIsShownAlone)
{
    frm異體字根 *view = openComponents();
    view->載入字形("標楷體", "林", regular("林"));
    EXPECT_EQ(Lines(view), QStringList({"林 標楷體 " + n("林") + " leaf f0 m0"}));
    view->載入字形("標楷體", "木", regular("木"));
    EXPECT_EQ(Lines(view), QStringList({"木 標楷體 " + n("木") + " unknown f0 m0"}));
    EXPECT_EQ(status(), Finished(0));
}

TEST_F(VariantViewTest, AnAncientGlyphWithoutARecordShowsNothing)
{
    frm異體字根 *view = openComponents();
    view->載入字形("標楷體", "人", regular("人"));
    view->載入字形("北師大說文小篆", "?", 999);
    EXPECT_EQ(view->list()->ListCount(), 0);
    EXPECT_EQ(status(), Finished(0));
}

TEST_F(VariantViewTest, ClosingTheComponentViewLeavesItsMenuItemEnabled)
{
    frm異體字根 *view = openComponents();
    item("mnu_異體字根")->setEnabled(false);
    view->frame()->close();
    EXPECT_FALSE(gOpen異體字根);
    EXPECT_TRUE(item("mnu_異體字根")->isEnabled());
}

} // namespace

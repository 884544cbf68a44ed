#include "tests/vbprog/murvel/refviews/refviewfixture.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/mainwindow/presetlayouts.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"
#include "vbprog/murvel/views/outlinelist.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>

namespace
{

class ReferenceFrameTest : public RefViewTest
{
protected:
    // Opens the fake structure and variant views, which log what reaches them.
    void openAnalysisFakes()
    {
        click("mnu_字形結構");
        click("mnu_異體字表");
        click("mnu_異體字根");
    }

    QStringList glyphEvents() const { return log.events.filter("glyph "); }
};

TEST_F(ReferenceFrameTest, BothViewsOpenFromTheGlyphMenuOnThePanelsGlyph)
{
    const qint32 ming = numberOf("明");
    frm字形索引 *index = openIndex();
    frm字形演變 *evolution = openEvolution();
    ASSERT_NE(index, nullptr);
    ASSERT_NE(evolution, nullptr);
    EXPECT_TRUE(gOpen字形索引);
    EXPECT_TRUE(gOpen字形演變);
    EXPECT_EQ(index->windowTitle(), "字形索引");
    EXPECT_EQ(evolution->windowTitle(), "字形演變");
    for (GlyphListWindow *view :
         {static_cast<GlyphListWindow *>(index), static_cast<GlyphListWindow *>(evolution)}) {
        OutlineList *list = view->findChild<OutlineList *>("tree字形樹狀結構");
        ASSERT_EQ(list, view->list());
        EXPECT_EQ(list->ItemData(0), ming);
        EXPECT_EQ(list->FontSize(), 24);
        EXPECT_EQ(view->findChild<QLabel *>("imglock")->property("Tag").toString(), "0");
    }

    // Closing clears the open flag and leaves the menu item enabled.
    item("mnu_字形索引")->setEnabled(false);
    index->frame()->close();
    EXPECT_FALSE(gOpen字形索引);
    EXPECT_TRUE(item("mnu_字形索引")->isEnabled());
    evolution->frame()->close();
    EXPECT_FALSE(gOpen字形演變);
}

TEST_F(ReferenceFrameTest, APresetLayoutOpensBothViews)
{
    numberOf("明");
    window->applyPresetLayout(PresetFamily::Advanced, 3);
    auto *index = dynamic_cast<frm字形索引 *>(child(WindowKinds::Index));
    auto *evolution = dynamic_cast<frm字形演變 *>(child(WindowKinds::Evolution));
    ASSERT_NE(index, nullptr);
    ASSERT_NE(evolution, nullptr);
    EXPECT_EQ(index->list()->ItemText(0), "明");
    EXPECT_EQ(evolution->list()->ItemText(0), "明");
    EXPECT_TRUE(gOpen字形索引);
    EXPECT_TRUE(gOpen字形演變);
}

TEST_F(ReferenceFrameTest, WithoutAGlyphOrWithAnOperatorTheViewsKeepTheirEmptyRow)
{
    gCurrentGlyphNumber = NoGlyphNumber; // no glyph on the panel
    frm字形索引 *index = openIndex();
    EXPECT_EQ(Outline(*index->list()), QStringList({""}));
    index->frame()->close();

    numberOf("明");
    window->box("txt字形")->setText(QString(QChar(0xF6A4)));
    frm字形演變 *evolution = openEvolution();
    EXPECT_EQ(Outline(*evolution->list()), QStringList({""}));
    log.events.clear();
    evolution->list()->setListIndex(0); // the placeholder broadcasts nothing
    EXPECT_TRUE(glyphEvents().isEmpty());
}

TEST_F(ReferenceFrameTest, TheViewsFollowTheMainWindowsGlyph)
{
    frm字形索引 *index = openIndex();
    frm字形演變 *evolution = openEvolution();
    numberOf("林");
    EXPECT_EQ(index->list()->ItemText(0), "林");
    EXPECT_EQ(evolution->list()->ItemText(0), "林");
}

TEST_F(ReferenceFrameTest, ALockedViewIgnoresLoadsButStillBroadcastsItsSelection)
{
    numberOf("明");
    openAnalysisFakes();
    frm字形演變 *evolution = openEvolution();
    QLabel *lock = evolution->findChild<QLabel *>("imglock");
    evolution->toggleLock();
    EXPECT_EQ(lock->property("Tag").toString(), "1");
    EXPECT_EQ(lock->toolTip(), "解除鎖定");
    EXPECT_EQ(evolution->windowTitle(), "字形演變(鎖定)");
    EXPECT_TRUE(evolution->isLocked());

    numberOf("林");
    EXPECT_EQ(evolution->list()->ItemText(0), "明");

    log.events.clear();
    evolution->list()->setListIndex(3); // the bronze form of 明
    EXPECT_EQ(glyphEvents(), QStringList({"glyph 12 Ombrel金文 明 1", "glyph 13 Ombrel金文 明 1",
                                          "glyph 14 Ombrel金文 明 1"}));

    evolution->toggleLock();
    EXPECT_EQ(evolution->windowTitle(), "字形演變");
    EXPECT_EQ(lock->toolTip(), "鎖定");
    EXPECT_EQ(evolution->list()->ItemText(0), "明"); // unlocking does not reload

    // The selection showed 明 on the panel, which the index view loads when it opens.
    frm字形索引 *index = openIndex();
    index->toggleLock();
    EXPECT_EQ(index->windowTitle(), "字形索引(鎖定)");
    index->載入字形("標楷體", "", numberOf("好"));
    EXPECT_EQ(index->list()->ItemText(0), "明");
}

TEST_F(ReferenceFrameTest, AnEvolutionSelectionReachesEveryOtherAnalysisView)
{
    const qint32 ming = numberOf("明");
    openAnalysisFakes();
    frm字形演變 *evolution = openEvolution();
    frm字形索引 *index = openIndex();
    index->載入字形("標楷體", "", numberOf("林"));
    evolution->載入字形("標楷體", "", ming);
    ASSERT_EQ(index->list()->ItemText(0), "林");

    log.events.clear();
    evolution->list()->setListIndex(7); // the seal form 朙
    EXPECT_EQ(glyphEvents(),
              QStringList({"glyph 12 北師大說文小篆 朙 1", "glyph 13 北師大說文小篆 朙 1",
                           "glyph 14 北師大說文小篆 朙 1"}));
    EXPECT_EQ(index->list()->ItemText(0), "明"); // told between 異體字表 and 異體字根
    EXPECT_EQ(window->box("txt字形")->text(), "明");
    EXPECT_EQ(window->box("txt編號")->text().toInt(), ming);
}

TEST_F(ReferenceFrameTest, AnIndexSelectionSkipsTheEvolutionView)
{
    const qint32 ming = numberOf("明");
    openAnalysisFakes();
    frm字形演變 *evolution = openEvolution();
    frm字形索引 *index = openIndex();
    const qint32 lin = numberOf("林");
    evolution->載入字形("標楷體", "", ming);
    ASSERT_EQ(index->list()->ItemText(0), "林");

    log.events.clear();
    gCurrentWindowKind = 0;
    index->list()->setListIndex(1); // a title row: nothing but the current window
    EXPECT_TRUE(glyphEvents().isEmpty());
    EXPECT_EQ(gCurrentWindowKind, WindowKinds::Index);

    index->list()->setListIndex(0);
    const QString number = QString::number(lin);
    EXPECT_EQ(glyphEvents(),
              QStringList({"glyph 12 細明體 林 " + number, "glyph 13 細明體 林 " + number,
                           "glyph 14 細明體 林 " + number}));
    EXPECT_EQ(evolution->list()->ItemText(0), "明");
}

TEST_F(ReferenceFrameTest, ActivationRepeatsTheSelectionAndShowsTheStatusMessage)
{
    numberOf("明");
    openAnalysisFakes();
    frm字形演變 *evolution = openEvolution();
    evolution->list()->setListIndex(1);
    log.events.clear();
    gGlyphViewMessage = "結構訊息";
    evolution->activated();
    EXPECT_EQ(glyphEvents().size(), 3);
    EXPECT_EQ(window->statusBox()->text(), "結構訊息");
    EXPECT_EQ(gCurrentWindowKind, WindowKinds::Evolution);
    EXPECT_TRUE(gCurrentWindowName.isEmpty()); // kind 15 has no window name

    // Losing the focus drops the selection: activation then tells nobody.
    emit evolution->list()->LostFocus();
    EXPECT_EQ(evolution->list()->ListIndex(), -1);
    log.events.clear();
    evolution->activated();
    EXPECT_TRUE(glyphEvents().isEmpty());
}

TEST_F(ReferenceFrameTest, OnlyTheEvolutionListsFocusMakesItTheCurrentWindow)
{
    frm字形索引 *index = openIndex();
    frm字形演變 *evolution = openEvolution();
    gCurrentWindowKind = 0;
    emit index->list()->GotFocus();
    EXPECT_EQ(gCurrentWindowKind, 0);
    emit evolution->list()->GotFocus();
    EXPECT_EQ(gCurrentWindowKind, WindowKinds::Evolution);
}

TEST_F(ReferenceFrameTest, ANewSizeReachesOnlyTheGlyphRows)
{
    numberOf("明");
    frm字形索引 *index = openIndex();
    frm字形演變 *evolution = openEvolution();
    gFontSize = 36;
    index->fontSizeChanged();
    evolution->fontSizeChanged();
    for (OutlineList *list : {index->list(), evolution->list()}) {
        EXPECT_EQ(list->FontSize(), 36);
        for (int i = 0; i < list->ListCount(); ++i) {
            SCOPED_TRACE(list->ItemText(i).toStdString());
            EXPECT_EQ(list->ItemFontSize(i), list->ItemText(i).size() == 1 ? 36 : 12.0);
        }
    }
}

} // namespace

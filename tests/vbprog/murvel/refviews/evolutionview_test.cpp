#include "tests/vbprog/murvel/refviews/refviewfixture.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/views/outlinelist.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>

namespace
{

const QString VesselName = QStringLiteral("月\uF6A4木鼎");
// A glyph group of the rich text in 細明體外字集一 (font 17) and in 標楷體外字集一 (font 1).
const QString Ming外字集一 = QStringLiteral("{\\f17\\'");
const QString Kai外字集一 = QStringLiteral("{\\f1\\'");

// One row as the tests compare it: text, typeface, 編號 and copy tag.
QString rowOf(OutlineList &list, int i)
{
    return QStringLiteral("%1|%2|%3|%4")
        .arg(list.ItemCell(i).RichText() == 1 ? QStringLiteral("(rtf)") : list.ItemText(i),
             list.ItemFontName(i))
        .arg(list.ItemData(i))
        .arg(list.ItemFlag(i).toString());
}

QStringList rowsOf(OutlineList &list)
{
    QStringList rows;
    for (int i = 0; i < list.ListCount(); ++i)
        rows << rowOf(list, i);
    return rows;
}

class EvolutionViewTest : public RefViewTest
{
protected:
    frm字形演變 *evolutionOf(const QString &glyph)
    {
        ming = numberOf("明");
        numberOf(glyph);
        frm字形演變 *view = openEvolution();
        EXPECT_NE(view, nullptr);
        return view;
    }

    qint32 ming = 0;
};

TEST_F(EvolutionViewTest, ARegularGlyphShowsEachLinkedScriptWithItsSource)
{
    window->statusBox()->setText("舊訊息");
    gGlyphViewMessage = "舊訊息";
    frm字形演變 *view = evolutionOf("明");
    ASSERT_NE(view, nullptr);
    OutlineList *list = view->list();
    EXPECT_EQ(Outline(*list),
              QStringList({"明", " 明", "  甲骨刻辭類纂", " 明", "  " + list->ItemText(4), " 明",
                           "  包山2-203", " 朙", "  照也。从月从囧。"}));
    const QString number = QString::number(ming);
    EXPECT_EQ(rowsOf(*list),
              QStringList({"明|細明體|" + number + "|0", "明|Ombrel甲骨文|1|0",
                           "甲骨刻辭類纂|標楷體|-9999|3", "明|Ombrel金文|1|0",
                           "(rtf)|細明體|-9999|2" + VesselName, "明|Ombrel楚系文字|1|0",
                           "包山2-203|標楷體|-9999|3", "朙|北師大說文小篆|1|0",
                           "照也。从月从囧。|細明體|-9999|3"}));
    for (int i : {0, 1, 3, 5, 7}) {
        EXPECT_EQ(list->ItemFontSize(i), 24);
        EXPECT_TRUE(list->Expanded(i));
        EXPECT_EQ(list->ItemPicture(i).cacheKey(), list->PictureNode().cacheKey());
    }
    for (int i : {2, 4, 6, 8}) {
        EXPECT_EQ(list->ItemFontSize(i), 12.0);
        EXPECT_EQ(list->ItemPicture(i).cacheKey(), list->PictureLeaf().cacheKey());
    }
    EXPECT_TRUE(gGlyphViewMessage.isEmpty());
    EXPECT_TRUE(window->statusBox()->text().isEmpty());
}

TEST_F(EvolutionViewTest, TheVesselNameWithFormulasIsRichTextRedrawnByTheFontBar)
{
    OutlineList *list = evolutionOf("明")->list();
    const int row = 4;
    ASSERT_EQ(list->ItemCell(row).RichText(), 1);
    // 月\uF6A4木 is the missing character U+E000 in 外字集一: f17 in the 細明體 family.
    EXPECT_TRUE(list->ItemText(row).startsWith("{\\rtf1"));
    EXPECT_TRUE(list->ItemText(row).contains(Ming外字集一));
    EXPECT_FALSE(list->ItemText(row).contains(Kai外字集一));

    window->menus().setChecked("mnu_複製到剪貼簿", false);
    list->setFocus();
    list->setListIndex(row);
    gCurrentWindowKind = 15;
    click("mnu_複製");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), VesselName);

    gBaseFontName = "標楷體";
    child(15)->baseFontChanged();
    EXPECT_TRUE(list->ItemText(row).contains(Kai外字集一));
    EXPECT_FALSE(list->ItemText(row).contains(Ming外字集一));
    EXPECT_EQ(list->ItemFlag(row).toString(), "2" + VesselName);
    // The script rows keep their typefaces, the others follow the base family; the list's
    // own typeface stays.
    EXPECT_EQ(list->ItemFontName(0), "標楷體");
    EXPECT_EQ(list->ItemFontName(1), "Ombrel甲骨文");
    EXPECT_EQ(list->ItemFontName(7), "北師大說文小篆");
    EXPECT_EQ(list->ItemFontName(8), "標楷體");
    EXPECT_EQ(list->FontName(), OutlineList().FontName());
}

TEST_F(EvolutionViewTest, ItsLoadLeavesTheListsOwnTypefaceAlone)
{
    gBaseFontName = "細明體";
    EXPECT_EQ(evolutionOf("明")->list()->FontName(), OutlineList().FontName());
}

TEST_F(EvolutionViewTest, EachAncientFaceShowsTheFormPassedIn)
{
    frm字形演變 *view = evolutionOf("明");
    OutlineList *list = view->list();
    const QString regular = "明|細明體|" + QString::number(ming) + "|0";

    view->載入字形("Ombrel甲骨文", "", 1);
    EXPECT_EQ(rowsOf(*list).first(), regular);
    EXPECT_EQ(rowOf(*list, 1), "明|Ombrel甲骨文|1|0");

    // The bronze number passed in wins over the regular record's 金文編號 (1).
    view->載入字形("Ombrel金文", "", 3);
    EXPECT_EQ(rowOf(*list, 3), QString(QChar(0xE200)) + "|Ombrel金文|3|0");
    EXPECT_EQ(list->ItemText(4), "明公簋");
    EXPECT_EQ(list->ItemCell(4).RichText(), 0);
    EXPECT_EQ(list->ItemFontName(4), "標楷體");

    view->載入字形("Ombrel楚系文字", "", 1);
    EXPECT_EQ(rowOf(*list, 5), "明|Ombrel楚系文字|1|0");

    view->載入字形("北師大說文小篆", "", 1);
    EXPECT_EQ(rowOf(*list, 7), "朙|北師大說文小篆|1|0");

    // A 重文 form shows in its own typeface, with its own number and source.
    view->載入字形("北師大說文重文", "", 2);
    EXPECT_EQ(rowsOf(*list).first(), regular);
    EXPECT_EQ(rowOf(*list, 7), "明|北師大說文重文|2|0");
    EXPECT_EQ(list->ItemText(8), "古文朙从日。");
}

TEST_F(EvolutionViewTest, CrossNumbersAbove32767AreFollowed)
{
    OutlineList *list = evolutionOf("休")->list();
    EXPECT_EQ(Outline(*list), QStringList({"休", " 休", "  甲骨刻辭類纂", " 休", "  休盤", " 休"}));
    EXPECT_EQ(list->ItemData(1), 40002);
    EXPECT_EQ(list->ItemData(3), 40000);
    EXPECT_EQ(list->ItemData(5), 40001);
    // No source for the seal form: a leaf.
    EXPECT_EQ(list->ItemPicture(5).cacheKey(), list->PictureLeaf().cacheKey());
}

TEST_F(EvolutionViewTest, FormsWithoutSourceAreLeaves)
{
    OutlineList *list = evolutionOf("林")->list();
    EXPECT_EQ(Outline(*list), QStringList({"林", " 林", " 林"}));
    EXPECT_EQ(list->ItemFontName(1), "Ombrel金文");
    EXPECT_EQ(list->ItemFontName(2), "Ombrel楚系文字");
    EXPECT_EQ(list->ItemPicture(1).cacheKey(), list->PictureLeaf().cacheKey());
    EXPECT_EQ(list->ItemPicture(2).cacheKey(), list->PictureLeaf().cacheKey());
}

TEST_F(EvolutionViewTest, NoShownScriptKeepsTheStatusMessage)
{
    frm字形演變 *view = evolutionOf("明");
    OutlineList *list = view->list();
    window->statusBox()->setText("舊訊息");
    gGlyphViewMessage = "舊訊息";

    view->載入字形("標楷體", "", numberOf("一")); // no linked script
    EXPECT_EQ(Outline(*list), QStringList({"一"}));
    EXPECT_EQ(list->ItemPicture(0).cacheKey(), list->PictureLeaf().cacheKey());
    EXPECT_EQ(window->statusBox()->text(), "舊訊息");
    EXPECT_EQ(gGlyphViewMessage, "舊訊息");

    setOptions(EvolutionOptions, false); // every script switched off
    view->載入字形("標楷體", "", ming);
    EXPECT_EQ(Outline(*list), QStringList({"明"}));
    EXPECT_EQ(window->statusBox()->text(), "舊訊息");

    // Only the checked scripts show.
    setOptions({"mnu_楚系文字選項", "mnu_甲骨文選項"}, true);
    view->載入字形("標楷體", "", ming);
    EXPECT_EQ(Outline(*list), QStringList({"明", " 明", "  甲骨刻辭類纂", " 明", "  包山2-203"}));
    EXPECT_EQ(list->ItemFontName(3), "Ombrel楚系文字");
}

TEST_F(EvolutionViewTest, AGlyphWithoutCharacterGetsCopyTag1InItsFaceCodesTypeface)
{
    frm字形演變 *view = evolutionOf("明");
    view->載入字形("標楷體", "", 13062);
    EXPECT_EQ(rowsOf(*view->list()),
              QStringList({QString(QChar(0xE000)) + "|細明體外字集一|13062|1"}));
    view->載入字形("標楷體", "", 13061); // 字體 25 names no typeface
    EXPECT_EQ(view->list()->ItemFontName(0), "細明體");
}

TEST_F(EvolutionViewTest, ANumberWithoutRecordChangesNothingAndRestoresThePointer)
{
    frm字形演變 *view = evolutionOf("明");
    const QStringList before = rowsOf(*view->list());
    for (const auto &[face, number] : QList<std::pair<QString, qint32>>{
             {"標楷體", 99999}, {"Ombrel金文", 999}, {"北師大說文重文", 70000}}) {
        view->載入字形(face, "", number);
        EXPECT_EQ(rowsOf(*view->list()), before);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}

class EvolutionViewDamagedDataTest : public EvolutionViewTest
{
protected:
    void SetUp() override { copyDatabases(); }
};

TEST_F(EvolutionViewDamagedDataTest, ACrossNumberItsTableLacksShowsNoForm)
{
    damage("qelbronz.mdb", "DELETE FROM 檢字表 WHERE 編號 = 1");
    damage("qelseal.mdb", "DELETE FROM 檢字表 WHERE 編號 = 1");
    startViews();
    OutlineList *list = evolutionOf("明")->list();
    EXPECT_EQ(Outline(*list), QStringList({"明", " 明", "  甲骨刻辭類纂", " 明", "  包山2-203"}));
    EXPECT_EQ(list->ItemFontName(3), "Ombrel楚系文字");
}

} // namespace

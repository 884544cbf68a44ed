#include "tests/vbprog/murvel/refviews/refviewfixture.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/views/outlinelist.h"

#include <QGuiApplication>
#include <QLineEdit>

namespace
{

// Every block of 明 with every option checked, as the list shows it.
const QStringList AllBlocksOf明 = {
    "明",
    " 漢語大字典",
    "  部首:日",
    "  遠東圖書公司",
    "   冊-頁-字:2-1509-03",
    "  建宏出版社",
    "   頁-字:0452-07",
    " 中文大辭典(中華學術院)",
    "  部首:日",
    "  冊-編號:4-13901",
    " 說文解字",
    "  部首:朙",
    "  卷:七上",
    "  說文解字詁林(鼎文書局)",
    "   冊-頁:6-1123",
    "  說文解字(中華書局)",
    "   頁(上/下):141上",
    " 金文",
    "  金文編(中華書局)",
    "   編號-行-字:1085-1-1",
    "  金文詁林(香港中文大學)",
    "   卷-頁:8-0001",
    "  殷周金文集成(中國社科院考古所)",
    "   器號:2837",
    "  殷周金文集成引得(中華書局)",
    "   編號-頁碼:123-45",
    " 甲骨文",
    "  殷墟甲骨刻辭類纂(吉林大學)",
    "   冊-頁:2-0641",
    "  甲骨文字詁林(吉林大學)",
    "   冊-頁:2-1122",
    "  甲骨文字集釋(Ombrelia)",
    "   卷-頁:7-2231",
    " 楚系文字",
    "  楚系簡帛文字編(湖北教育出版社)",
    "   頁碼-行字:0612-2",
    "  出處",
    "   墓號-簡號:包山2-203",
    " Unicode 3.2",
    "  660E",
    " Big5",
    "  A9FA",
};

class IndexViewTest : public RefViewTest
{
protected:
    // The index view loaded with a glyph of the regular script, with only these options.
    OutlineList *indexOf(const QString &glyph, const QStringList &options)
    {
        const qint32 number = numberOf(glyph);
        setOptions(IndexOptions, false);
        setOptions(options, true);
        frm字形索引 *view = openIndex();
        EXPECT_NE(view, nullptr);
        view->載入字形("標楷體", glyph, number);
        return view->list();
    }
};

TEST_F(IndexViewTest, AllOptionsShowEveryBlockWithItsLabels)
{
    const qint32 ming = numberOf("明");
    window->statusBox()->setText("舊訊息");
    gGlyphViewMessage = "舊訊息";
    frm字形索引 *view = openIndex();
    ASSERT_NE(view, nullptr);
    OutlineList *list = view->list();
    EXPECT_EQ(Outline(*list), AllBlocksOf明);
    EXPECT_EQ(list->FontName(), "細明體");

    // The glyph row: the regular 編號, copy tag 0 (字形 holds a value), in the base family.
    EXPECT_EQ(list->ItemData(0), ming);
    EXPECT_EQ(list->ItemFlag(0).toInt(), 0);
    EXPECT_EQ(list->ItemFontName(0), "細明體");
    EXPECT_EQ(list->ItemFontSize(0), 24);
    EXPECT_EQ(list->ItemPicture(0).cacheKey(), list->PictureNode().cacheKey());
    for (int i = 1; i < list->ListCount(); ++i) {
        SCOPED_TRACE(list->ItemText(i).toStdString());
        EXPECT_EQ(list->ItemData(i), -9999);
        EXPECT_EQ(list->ItemFlag(i).toInt(), 3);
        EXPECT_EQ(list->ItemFontSize(i), 12.0);
        EXPECT_GT(list->ItemText(i).size(), 1);
        EXPECT_TRUE(list->Expanded(i) || list->ChildCount(i) == 0);
        const QPixmap expected =
            list->ChildCount(i) > 0 ? list->PictureNode() : list->PictureLeaf();
        EXPECT_EQ(list->ItemPicture(i).cacheKey(), expected.cacheKey());
    }
    EXPECT_TRUE(list->Expanded(0));
    EXPECT_TRUE(gGlyphViewMessage.isEmpty());
    EXPECT_TRUE(window->statusBox()->text().isEmpty());
}

TEST_F(IndexViewTest, NoOptionLeavesTheGlyphRowAloneAsALeaf)
{
    OutlineList *list = indexOf("明", {});
    EXPECT_EQ(Outline(*list), QStringList({"明"}));
    EXPECT_EQ(list->ItemPicture(0).cacheKey(), list->PictureLeaf().cacheKey());
    EXPECT_TRUE(list->Expanded(0));
}

TEST_F(IndexViewTest, EachOptionAloneShowsItsOwnBlock)
{
    const QList<std::pair<QString, QStringList>> cases = {
        {"mnu_遠東漢語大字典選項",
         {"明", " 漢語大字典", "  部首:日", "  遠東圖書公司", "   冊-頁-字:2-1509-03"}},
        {"mnu_建宏漢語大字典選項",
         {"明", " 漢語大字典", "  部首:日", "  建宏出版社", "   頁-字:0452-07"}},
        {"mnu_中文大辭典選項", {"明", " 中文大辭典(中華學術院)", "  部首:日", "  冊-編號:4-13901"}},
        {"mnu_說文解字詁林選項",
         {"明", " 說文解字", "  部首:朙", "  卷:七上", "  說文解字詁林(鼎文書局)",
          "   冊-頁:6-1123"}},
        {"mnu_中華說文解字選項",
         {"明", " 說文解字", "  部首:朙", "  卷:七上", "  說文解字(中華書局)",
          "   頁(上/下):141上"}},
        {"mnu_金文編選項", {"明", " 金文", "  金文編(中華書局)", "   編號-行-字:1085-1-1"}},
        {"mnu_金文詁林選項", {"明", " 金文", "  金文詁林(香港中文大學)", "   卷-頁:8-0001"}},
        {"mnu_殷周金文集成器號選項",
         {"明", " 金文", "  殷周金文集成(中國社科院考古所)", "   器號:2837"}},
        {"mnu_殷周金文集成引得選項",
         {"明", " 金文", "  殷周金文集成引得(中華書局)", "   編號-頁碼:123-45"}},
        {"mnu_甲骨刻辭類纂選項",
         {"明", " 甲骨文", "  殷墟甲骨刻辭類纂(吉林大學)", "   冊-頁:2-0641"}},
        {"mnu_甲骨文字詁林選項", {"明", " 甲骨文", "  甲骨文字詁林(吉林大學)", "   冊-頁:2-1122"}},
        {"mnu_甲骨文字集釋選項", {"明", " 甲骨文", "  甲骨文字集釋(Ombrelia)", "   卷-頁:7-2231"}},
        {"mnu_楚系簡帛文字編選項",
         {"明", " 楚系文字", "  楚系簡帛文字編(湖北教育出版社)", "   頁碼-行字:0612-2"}},
        {"mnu_楚系文字出處選項", {"明", " 楚系文字", "  出處", "   墓號-簡號:包山2-203"}},
        {"mnu_Unicode選項", {"明", " Unicode 3.2", "  660E"}},
        {"mnu_Big5選項", {"明", " Big5", "  A9FA"}},
    };
    ASSERT_EQ(cases.size(), IndexOptions.size());
    for (const auto &[option, expected] : cases) {
        SCOPED_TRACE(option.toStdString());
        EXPECT_EQ(Outline(*indexOf("明", {option})), expected);
    }
}

TEST_F(IndexViewTest, NullFieldsLeaveOutTheirRowsOrValues)
{
    // 林: no 建宏 edition, so its title stands with the radical row alone; its 中文大辭典部首
    // is Null, so that radical row reads the bare label.
    EXPECT_EQ(Outline(*indexOf("林", {"mnu_建宏漢語大字典選項"})),
              QStringList({"林", " 漢語大字典", "  部首:木"}));
    EXPECT_EQ(Outline(*indexOf("林", {"mnu_中文大辭典選項"})),
              QStringList({"林", " 中文大辭典(中華學術院)", "  部首:", "  冊-編號:5-14786"}));
    // 一 has no reference entry at all.
    OutlineList *list = indexOf("一", IndexOptions);
    EXPECT_EQ(Outline(*list), QStringList({"一", " Unicode 3.2", "  4E00", " Big5", "  A440"}));
}

TEST_F(IndexViewTest, AGlyphWithoutBronzeFormShowsItsSupplementEntries)
{
    const QStringList bronze = {"mnu_金文編選項", "mnu_金文詁林選項", "mnu_殷周金文集成器號選項",
                                "mnu_殷周金文集成引得選項"};
    EXPECT_EQ(Outline(*indexOf("好", bronze)),
              QStringList({"好", " 金文", "  金文編(中華書局)", "   編號-行-字:1953-2-1",
                           "  金文詁林(香港中文大學)", "   卷-頁:12-0002",
                           "  殷周金文集成引得(中華書局)", "   編號-頁碼:456-7"}));
    // The supplement has no vessel number: the title stands alone.
    OutlineList *list = indexOf("好", {"mnu_殷周金文集成器號選項"});
    EXPECT_EQ(Outline(*list), QStringList({"好", " 金文"}));
    EXPECT_EQ(list->ItemPicture(1).cacheKey(), list->PictureNode().cacheKey());
}

TEST_F(IndexViewTest, TheBig5BlockEndsAtNumber13060)
{
    OutlineList *list = indexOf("嫺", {"mnu_Big5選項"});
    EXPECT_EQ(list->ItemData(0), 13060);
    EXPECT_EQ(Outline(*list), QStringList({"嫺", " Big5", "  F9DC"}));

    frm字形索引 *view = openIndex();
    view->載入字形("標楷體", "", 13061);
    EXPECT_EQ(list->ItemData(0), 13061);
    EXPECT_EQ(list->ListCount(), 1);

    // 㐀 carries a 編號 inside the Big5 range but has no Big5 code: no block, as for any
    // other Null field.
    view->載入字形("標楷體", "", 5000);
    EXPECT_EQ(Outline(*list), QStringList({"㐀"}));
}

TEST_F(IndexViewTest, CrossNumbersAbove32767LeadToTheirRecords)
{
    OutlineList *list =
        indexOf("休", {"mnu_說文解字詁林選項", "mnu_金文編選項", "mnu_甲骨文字集釋選項"});
    // The seal record has no 部首: its radical row reads the bare label.
    EXPECT_EQ(
        Outline(*list),
        QStringList({"休", " 說文解字", "  部首:", "  卷:六上", "  說文解字詁林(鼎文書局)",
                     "   冊-頁:5-0862", " 金文", "  金文編(中華書局)", "   編號-行-字:0946-1-3",
                     " 甲骨文", "  甲骨文字集釋(Ombrelia)", "   卷-頁:6-2011"}));
}

TEST_F(IndexViewTest, AncientFacesLeadToTheRegularGlyph)
{
    const qint32 ming = numberOf("明");
    frm字形索引 *view = openIndex();
    OutlineList *list = view->list();
    for (const auto &[face, number] : QList<std::pair<QString, qint32>>{{"北師大說文重文", 2},
                                                                        {"北師大說文小篆", 1},
                                                                        {"Ombrel金文", 3},
                                                                        {"Ombrel甲骨文", 1},
                                                                        {"Ombrel楚系文字", 1}}) {
        SCOPED_TRACE(face.toStdString());
        list->Clear();
        view->載入字形(face, "", number);
        EXPECT_EQ(Outline(*list), AllBlocksOf明);
        // The glyph row carries the regular 編號, not the number passed in.
        EXPECT_EQ(list->ItemData(0), ming);
    }
    view->載入字形("Ombrel金文", "", 40000);
    EXPECT_EQ(list->ItemText(0), "休");
}

TEST_F(IndexViewTest, TheGlyphRowTakesItsTypefaceFromTheFaceCode)
{
    frm字形索引 *view = openIndex();
    OutlineList *list = view->list();
    view->載入字形("標楷體", "", 13062); // U+E000, 字體 1, no 字形
    EXPECT_EQ(list->ItemText(0), QString(QChar(0xE000)));
    EXPECT_EQ(list->ItemFontName(0), "細明體外字集一");
    EXPECT_EQ(list->ItemFlag(0).toInt(), 1);
    // 字體 25 names no typeface: the row falls back to FaceCode 0's, in the base family.
    view->載入字形("標楷體", "", 13061);
    EXPECT_EQ(list->ItemText(0), QString(QChar(0xE001)));
    EXPECT_EQ(list->ItemFontName(0), "細明體");
}

TEST_F(IndexViewTest, ANumberWithoutRecordChangesNothingAndRestoresThePointer)
{
    OutlineList *list = indexOf("明", IndexOptions);
    window->statusBox()->setText("舊訊息");
    frm字形索引 *view = openIndex();
    for (const auto &[face, number] : QList<std::pair<QString, qint32>>{{"標楷體", 99999},
                                                                        {"Ombrel金文", 999},
                                                                        {"北師大說文小篆", 70000},
                                                                        {"Ombrel甲骨文", 5},
                                                                        {"Ombrel楚系文字", 9},
                                                                        {"標楷體", 0},
                                                                        {"標楷體", -9999}}) {
        SCOPED_TRACE(face.toStdString());
        view->載入字形(face, "", number);
        EXPECT_EQ(Outline(*list), AllBlocksOf明);
        EXPECT_EQ(window->statusBox()->text(), "舊訊息");
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}

class IndexViewDamagedDataTest : public IndexViewTest
{
protected:
    void SetUp() override { copyDatabases(); }
};

TEST_F(IndexViewDamagedDataTest, ACrossNumberItsTableLacksSkipsTheBlock)
{
    damage("qelseal.mdb", "DELETE FROM 檢字表 WHERE 編號 = 1");
    damage("qelbronz.mdb", "DELETE FROM 檢字表 WHERE 編號 = 1");
    damage("qeljiagu.mdb", "DELETE FROM 檢字表 WHERE 編號 = 1");
    damage("qelchu.mdb", "DELETE FROM 檢字表 WHERE 編號 = 1");
    startViews();
    OutlineList *list = indexOf("明", IndexOptions);
    // No stale record of an earlier seek fills the blocks, and the supplement is not sought
    // for a glyph whose 金文編號 holds a number.
    EXPECT_EQ(
        Outline(*list),
        QStringList({"明", " 漢語大字典", "  部首:日", "  遠東圖書公司", "   冊-頁-字:2-1509-03",
                     "  建宏出版社", "   頁-字:0452-07", " 中文大辭典(中華學術院)", "  部首:日",
                     "  冊-編號:4-13901", " Unicode 3.2", "  660E", " Big5", "  A9FA"}));
}

TEST_F(IndexViewDamagedDataTest, ANullFaceCodeFallsBackToTheBaseTypeface)
{
    damage("murvel.mdb", "UPDATE 檢字表 SET 字體 = NULL WHERE 字碼 = char(57344)");
    startViews();
    frm字形索引 *view = openIndex();
    view->載入字形("標楷體", "", 13062);
    EXPECT_EQ(view->list()->ItemText(0), QString(QChar(0xE000)));
    EXPECT_EQ(view->list()->ItemFontName(0), "細明體");
}

} // namespace

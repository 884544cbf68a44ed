#include "platform/jet/database.h"
#include "vbprog/murvel/core/componentlistsql.h"
#include "vbprog/murvel/views/componentglyphs.h"

#include <QDir>
#include <gtest/gtest.h>
#include <map>

namespace
{

TEST(ComponentListTitle, StrokeFilterWithTheFirstStrokeInBrackets)
{
    EXPECT_EQ(ComponentListTitle("字根", 0, ""), "1-99畫");
    EXPECT_EQ(ComponentListTitle("字根", 3, ""), "3畫");
    EXPECT_EQ(ComponentListTitle("康熙字典部首", 3, "直"), "3畫(直)");
    EXPECT_EQ(ComponentListTitle("部件外字", 0, "曲"), "1-99畫(曲)");
    // A negative count lists every count, as the query does.
    EXPECT_EQ(ComponentListTitle("字根", -1, ""), "1-99畫");
}

TEST(ComponentListTitle, SymbolsAndTrigramsAreTitledWithTheirOwnName)
{
    EXPECT_EQ(ComponentListTitle("符號", 5, "橫"), "符號");
    EXPECT_EQ(ComponentListTitle("八卦", 0, ""), "八卦");
}

class ComponentGlyphsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        jet::Result<jet::Database> opened =
            jet::Database::open(QDir(MURVEL_FIXTURE_DIR "/basic").filePath("murvel.mdb"));
        ASSERT_TRUE(opened) << opened.errorString().toStdString();
        database = opened.value();
        jet::Result<jet::Table> table = database.openTable("檢字表");
        ASSERT_TRUE(table) << table.errorString().toStdString();
        glyphTable = table.value();
    }

    // The regular 編號 of a glyph, looked up apart from the code under test.
    qint32 numberOf(const QString &glyph)
    {
        jet::Table table = database.openTable("檢字表").value();
        table.setIndex("字形");
        EXPECT_TRUE(table.seek(glyph)) << glyph.toStdString();
        return table.value("編號").toInt();
    }

    jet::Database database;
    jet::Table glyphTable;
};

TEST_F(ComponentGlyphsTest, RowsComeInQueryOrderWithTheirRegularNumbers)
{
    const auto glyphs =
        ReadComponentGlyphs(database, BuildComponentListSql("康熙字典部首", 4, 0), glyphTable);
    ASSERT_TRUE(glyphs) << glyphs.errorString().toStdString();
    // Four strokes, ordered by first stroke: 木 (橫), 日 (直), 月 (撇).
    ASSERT_EQ(glyphs.value().size(), 3);
    EXPECT_EQ(glyphs.value()[0].glyph, "木");
    EXPECT_EQ(glyphs.value()[1].glyph, "日");
    EXPECT_EQ(glyphs.value()[2].glyph, "月");
    // The numbers are those of 檢字表, not the radical numbers of 康熙部首 (75, 72, 74).
    EXPECT_EQ(glyphs.value()[0].number, numberOf("木"));
    EXPECT_EQ(glyphs.value()[1].number, numberOf("日"));
    EXPECT_EQ(glyphs.value()[2].number, numberOf("月"));
    EXPECT_EQ(glyphTable.index(), "字形");
}

TEST_F(ComponentGlyphsTest, AGlyphMissingFromTheTableHasNoNumber)
{
    // 一 is in 檢字表, the first trigram is not: its seek fails after one that found 一.
    const auto glyphs = ReadComponentGlyphs(
        database,
        "select 字形 from 康熙部首 where 編號 = 1 union all select 字形 from 八卦 where 編號 = 1",
        glyphTable);
    ASSERT_TRUE(glyphs) << glyphs.errorString().toStdString();
    ASSERT_EQ(glyphs.value().size(), 2);
    EXPECT_EQ(glyphs.value()[0].number, numberOf("一"));
    EXPECT_EQ(glyphs.value()[1].glyph, QString(QChar(0xEDC0)));
    EXPECT_EQ(glyphs.value()[1].number, std::nullopt);
}

// The sample's 說文部首 lists two missing characters of 字體 7 and 8, which no 字形 holds:
// they are the records whose 字碼 they are, and carry their 字體; a component at a
// private-use code in the default face is found by its 字形.
TEST(SampleComponentGlyphs, AMissingCharacterComesWithItsFace)
{
    jet::Result<jet::Database> database =
        jet::Database::open(QDir(MURVEL_PROGRAM_DIR).filePath("murvel.mdb"));
    ASSERT_TRUE(database) << database.errorString().toStdString();
    jet::Table glyphTable = database->openTable("檢字表").value();
    const auto glyphs = ReadComponentGlyphs(
        database.value(), BuildComponentListSql("說文解字部首", 0, 0), glyphTable);
    ASSERT_TRUE(glyphs) << glyphs.errorString().toStdString();
    std::map<QChar, ComponentGlyph> byCode;
    for (const ComponentGlyph &glyph : glyphs.value())
        byCode.emplace(glyph.glyph[0], glyph);
    ASSERT_TRUE(byCode.count(QChar(0xE006)) && byCode.count(QChar(0xE007)) &&
                byCode.count(QChar(0xE010)));
    EXPECT_EQ(byCode[QChar(0xE006)].faceCode, 7);
    EXPECT_EQ(byCode[QChar(0xE007)].faceCode, 8);
    EXPECT_TRUE(byCode[QChar(0xE006)].number.has_value());
    EXPECT_EQ(byCode[QChar(0xE010)].faceCode, 0);
    EXPECT_TRUE(byCode[QChar(0xE010)].number.has_value());
    EXPECT_EQ(byCode[QChar(u'木')].faceCode, 0);
}

TEST_F(ComponentGlyphsTest, RowsWithoutAGlyphAreLeftOut)
{
    const auto glyphs = ReadComponentGlyphs(
        database, "select null as 字形 union all select '' union all select '木'", glyphTable);
    ASSERT_TRUE(glyphs) << glyphs.errorString().toStdString();
    ASSERT_EQ(glyphs.value().size(), 1);
    EXPECT_EQ(glyphs.value()[0].glyph, "木");
}

TEST_F(ComponentGlyphsTest, FailuresComeBackWithTheirMessage)
{
    const auto badSql = ReadComponentGlyphs(database, "select 字形 from 無此表", glyphTable);
    EXPECT_FALSE(badSql);
    EXPECT_FALSE(badSql.errorString().isEmpty());

    // A table without an index 字形 cannot be sought by glyph.
    jet::Table radicals = database.openTable("康熙部首").value();
    const auto noIndex =
        ReadComponentGlyphs(database, BuildComponentListSql("符號", 0, 0), radicals);
    EXPECT_FALSE(noIndex);
    EXPECT_FALSE(noIndex.errorString().isEmpty());
}

} // namespace

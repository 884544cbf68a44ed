#include "platform/jet/database.h"
#include "vbprog/murvel/views/structurerecords.h"

#include <gtest/gtest.h>

namespace
{

// The small-seal and regular tables of the structure fixture, read through the layer the
// view uses.
class StructureRecordsTest : public ::testing::Test
{
protected:
    static jet::Table openTable(const char *file, const QString &table)
    {
        const jet::Result<jet::Database> database =
            jet::Database::open(QStringLiteral(MURVEL_FIXTURE_DIR "/structure/") + file);
        EXPECT_TRUE(database.ok()) << database.errorString().toStdString();
        const jet::Result<jet::Table> opened = database->openTable(table);
        EXPECT_TRUE(opened.ok()) << opened.errorString().toStdString();
        return opened.value();
    }
    static QList<qint32> numbers(const QList<GlyphRecord> &records)
    {
        QList<qint32> list;
        for (const GlyphRecord &record : records)
            list << record.number.value_or(0);
        return list;
    }
};

TEST_F(StructureRecordsTest, AGlyphsRecordsAreThoseOfItsOwnGlyphOnly)
{
    TableStructureRecords seal(openTable("qelseal.mdb", "檢字表"), StructureScript::SmallSeal);
    // 口's form marked 重複 comes first in index order.
    EXPECT_EQ(numbers(seal.withGlyph("口")), QList<qint32>({14, 15}));
    // 乙's only record is marked 重複; 九, next in the index, is never taken for it.
    const QList<GlyphRecord> yi = seal.withGlyph("乙");
    ASSERT_EQ(numbers(yi), QList<qint32>({17}));
    EXPECT_EQ(yi.first().repeated, 1);
    EXPECT_TRUE(seal.withGlyph("占").isEmpty());
}

TEST_F(StructureRecordsTest, ReadsTheFieldsTheTreeNeeds)
{
    TableStructureRecords seal(openTable("qelseal.mdb", "檢字表"), StructureScript::SmallSeal);
    const std::optional<GlyphRecord> ming = seal.withNumber(5);
    ASSERT_TRUE(ming);
    EXPECT_EQ(ming->glyph, "朙");
    EXPECT_EQ(ming->face, 13);
    EXPECT_EQ(ming->kind, 1);
    EXPECT_EQ(ming->analysis, "月囧");
    EXPECT_EQ(ming->analysis2, "囧月");
    EXPECT_TRUE(ming->regularNumber.has_value());
    EXPECT_FALSE(seal.withNumber(999));

    TableStructureRecords regular(openTable("murvel.mdb", "檢字表"), StructureScript::Regular);
    const QList<GlyphRecord> sen = regular.withGlyph("森");
    ASSERT_EQ(sen.size(), 1);
    EXPECT_EQ(sen.first().kind, 2);
    EXPECT_EQ(sen.first().components, "木林");
    EXPECT_FALSE(sen.first().analysis.has_value());
}

TEST_F(StructureRecordsTest, ATableWithoutTheIndexesFindsNothing)
{
    // 符號 has 編號 and 字形 but no index on either.
    TableStructureRecords symbols(openTable("murvel.mdb", "符號"), StructureScript::Regular);
    EXPECT_FALSE(symbols.withNumber(1));
    EXPECT_TRUE(symbols.withGlyph("\uF6A4").isEmpty());
    // A closed handle as well.
    TableStructureRecords closed(jet::Table(), StructureScript::OtherAncient);
    EXPECT_FALSE(closed.withNumber(1));
    EXPECT_TRUE(closed.withGlyph("日").isEmpty());
}

} // namespace

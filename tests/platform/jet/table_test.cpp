#include "platform/jet/database.h"
#include "testdatabase.h"

#include <QFile>
#include <QList>
#include <gtest/gtest.h>

namespace
{

class TableTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QStringList statements = glyphTableStatements();
        statements << "CREATE TABLE Misc(Name TEXT)"
                   << "CREATE TABLE 空表(字形 TEXT)"
                   << "CREATE INDEX \"空表.字形\" ON 空表(字形)";
        Result<jet::Database> opened =
            jet::Database::open(m_files.database("murvel.mdb", statements));
        ASSERT_TRUE(opened.ok()) << opened.errorString().toStdString();
        m_db = opened.value();
        Result<jet::Table> table = m_db.openTable("檢字表");
        ASSERT_TRUE(table.ok()) << table.errorString().toStdString();
        m_table = table.value();
    }

    template<typename T> using Result = jet::Result<T>;

    // The 編號 of the records from the current one to the end.
    QList<int> walk()
    {
        QList<int> numbers;
        for (; !m_table.eof(); m_table.moveNext())
            numbers << m_table.value("編號").toInt();
        return numbers;
    }

    TestFiles m_files;
    jet::Database m_db;
    jet::Table m_table;
};

TEST_F(TableTest, OpenIsInRowOrderAtTheFirstRecord)
{
    EXPECT_EQ(m_table.name(), QStringLiteral("檢字表"));
    EXPECT_TRUE(m_table.index().isEmpty());
    EXPECT_EQ(walk(), QList<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    m_table.moveLast();
    EXPECT_EQ(m_table.value("編號").toInt(), 10);
}

TEST_F(TableTest, MissingTableAndIndexAreErrorsNamingThem)
{
    const Result<jet::Table> missing = m_db.openTable("檢字表二");
    EXPECT_FALSE(missing.ok());
    EXPECT_TRUE(missing.errorString().contains("檢字表二"));
    EXPECT_TRUE(missing.errorString().contains("找不到資料表"));
    EXPECT_FALSE(missing.value().isOpen());

    EXPECT_FALSE(m_table.setIndex("部件序"));
    EXPECT_TRUE(m_table.errorString().contains("部件序"));
    EXPECT_TRUE(m_table.index().isEmpty());
}

TEST_F(TableTest, TableIndexAndFieldNamesIgnoreCase)
{
    EXPECT_TRUE(m_db.openTable("MISC").ok());
    ASSERT_TRUE(m_table.setIndex("big5"));
    EXPECT_EQ(m_table.index(), QStringLiteral("Big5"));
    ASSERT_TRUE(m_table.seek(qint32(3)));
    EXPECT_EQ(m_table.value("BIG5").toInt(), 3);
    EXPECT_EQ(m_table.value("big5").toInt(), 3);
}

TEST_F(TableTest, IndexOrderIsNullFirstThenCodePointsWithTiesInRowOrder)
{
    ASSERT_TRUE(m_table.setIndex("字形"));
    m_table.moveFirst();
    // U+F6A3 sorts before U+2000B by code point, though not by UTF-16 units.
    EXPECT_EQ(walk(), QList<int>({4, 8, 1, 6, 7, 2, 5, 3, 10, 9}));
    m_table.moveLast();
    EXPECT_EQ(m_table.value("編號").toInt(), 9);

    ASSERT_TRUE(m_table.setIndex("構字式"));
    m_table.moveFirst();
    EXPECT_EQ(walk(), QList<int>({8, 1, 6, 2, 9, 4, 3, 7, 5, 10}));
    m_table.moveLast();
    EXPECT_EQ(m_table.value("編號").toInt(), 10);
}

TEST_F(TableTest, SeekOnOneKeyMakesTheFirstMatchCurrentAndWalksOnPastIt)
{
    ASSERT_TRUE(m_table.setIndex("字形"));
    ASSERT_TRUE(m_table.seek(QStringLiteral("口")));
    EXPECT_FALSE(m_table.noMatch());
    // Both records of 口 in row order, then on along the index to the end.
    EXPECT_EQ(walk(), QList<int>({1, 6, 7, 2, 5, 3, 10, 9}));

    ASSERT_TRUE(m_table.seek(QStringLiteral("𠀋")));
    EXPECT_EQ(walk(), QList<int>({9}));

    EXPECT_FALSE(m_table.seek(QStringLiteral("森")));
    EXPECT_TRUE(m_table.noMatch());
    EXPECT_TRUE(m_table.eof());
    EXPECT_TRUE(m_table.value("編號").isNull());
    EXPECT_TRUE(m_table.errorString().isEmpty());
}

TEST_F(TableTest, SeekOnTwoKeysAndOnTheLeadingKey)
{
    ASSERT_TRUE(m_table.setIndex("構字式"));
    ASSERT_TRUE(m_table.seek(qint16(1), QStringLiteral("木口")));
    EXPECT_TRUE(m_table.value("字形").isNull());
    m_table.moveNext();
    EXPECT_EQ(m_table.value("字形").toString(), QStringLiteral("林"));
    m_table.moveNext();
    // The walk crosses to the next kind.
    EXPECT_EQ(m_table.value("字形").toString(), QStringLiteral("呆"));

    ASSERT_TRUE(m_table.seek(qint32(2), QStringLiteral("木口")));
    EXPECT_EQ(walk(), QList<int>({5, 10}));

    EXPECT_FALSE(m_table.seek(qint16(1), QStringLiteral("口口")));
    EXPECT_TRUE(m_table.noMatch());

    ASSERT_TRUE(m_table.seek(qint16(2)));
    EXPECT_EQ(m_table.value("編號").toInt(), 7);
}

TEST_F(TableTest, SeekOnANullKeyFindsTheNullRecords)
{
    ASSERT_TRUE(m_table.setIndex("構字式"));
    ASSERT_TRUE(m_table.seek(QVariant(), QVariant()));
    EXPECT_EQ(walk(), QList<int>({8, 1, 6, 2, 9, 4, 3, 7, 5, 10}));
}

TEST_F(TableTest, IntegerKeysOfAnyWidthSeekAnIntegerField)
{
    ASSERT_TRUE(m_table.setIndex("編號"));
    for (const QVariant &key :
         {QVariant(qint16(5)), QVariant(qint32(5)), QVariant(qint64(5)), QVariant(quint16(5))}) {
        ASSERT_TRUE(m_table.seek(key)) << key.typeName();
        EXPECT_EQ(m_table.value("字形").toString(), QStringLiteral("杏"));
    }
    EXPECT_FALSE(m_table.seek(qint32(70000)));
}

TEST_F(TableTest, SeekNeedsAnIndexAndAFittingKey)
{
    EXPECT_FALSE(m_table.seek(qint32(1)));
    EXPECT_TRUE(m_table.noMatch());
    EXPECT_FALSE(m_table.errorString().isEmpty());

    ASSERT_TRUE(m_table.setIndex("構字式"));
    EXPECT_FALSE(m_table.seek(QVariantList{1, "木口", "extra"}));
    EXPECT_FALSE(m_table.errorString().isEmpty());
    EXPECT_FALSE(m_table.seek(QVariantList{}));
}

TEST_F(TableTest, BookmarksReturnToARecordUnderAnyIndex)
{
    ASSERT_TRUE(m_table.setIndex("字形"));
    ASSERT_TRUE(m_table.seek(QStringLiteral("口")));
    m_table.moveNext();
    const std::optional<jet::Bookmark> second = m_table.bookmark();
    ASSERT_TRUE(second.has_value());

    ASSERT_TRUE(m_table.seek(QStringLiteral("林")));
    ASSERT_TRUE(m_table.setIndex("編號"));
    ASSERT_TRUE(m_table.setIndex("字形"));
    ASSERT_TRUE(m_table.setBookmark(*second));
    EXPECT_EQ(m_table.value("編號").toInt(), 6);
    // The walk goes on from the bookmarked record, as the formula search needs.
    EXPECT_EQ(walk(), QList<int>({6, 7, 2, 5, 3, 10, 9}));

    EXPECT_FALSE(m_table.bookmark().has_value());
    EXPECT_FALSE(m_table.setBookmark(jet::Bookmark{999}));
    EXPECT_TRUE(m_table.eof());
}

TEST_F(TableTest, SetIndexKeepsTheCurrentRecord)
{
    ASSERT_TRUE(m_table.setIndex("字形"));
    ASSERT_TRUE(m_table.seek(QStringLiteral("杏")));
    ASSERT_TRUE(m_table.setIndex("構字式"));
    EXPECT_EQ(m_table.value("編號").toInt(), 5);
    EXPECT_EQ(walk(), QList<int>({5, 10}));
}

// A lookup switches the indexes of one cursor again and again: each switch walks in the
// order of the index it names, and a switch to an index the table lacks changes nothing.
TEST_F(TableTest, IndexesSwitchBackAndForthAndAFailedSwitchKeepsTheOrder)
{
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(m_table.setIndex("字形"));
        m_table.moveFirst();
        EXPECT_EQ(walk(), QList<int>({4, 8, 1, 6, 7, 2, 5, 3, 10, 9})) << "round " << round;
        ASSERT_TRUE(m_table.setIndex("構字式"));
        ASSERT_TRUE(m_table.seek(qint32(1)));
        EXPECT_EQ(walk(), QList<int>({4, 3, 7, 5, 10})) << "round " << round;
    }
    ASSERT_TRUE(m_table.seek(qint32(1)));
    EXPECT_FALSE(m_table.setIndex("部件序"));
    EXPECT_EQ(m_table.index(), QStringLiteral("構字式"));
    EXPECT_EQ(m_table.value("編號").toInt(), 4);
    m_table.moveNext();
    EXPECT_EQ(m_table.value("編號").toInt(), 3);
}

TEST_F(TableTest, FieldsReadNullWhereThereIsNoValue)
{
    ASSERT_TRUE(m_table.setIndex("編號"));
    ASSERT_TRUE(m_table.seek(qint32(8)));
    EXPECT_TRUE(m_table.value("字形").isNull());
    EXPECT_TRUE(m_table.value("連接符號").isNull());
    EXPECT_EQ(m_table.value("編號").toInt(), 8);
    EXPECT_EQ(m_table.value("組字字數(Big5)"), QVariant());
    // An unknown field is a programmer error: logged, read as Null.
    EXPECT_TRUE(m_table.value("沒有").isNull());

    ASSERT_TRUE(m_table.seek(qint32(1)));
    EXPECT_EQ(m_table.value("字形"), QVariant(QStringLiteral("口")));
    EXPECT_EQ(m_table.value("組字字數(Big5)"), QVariant(qint64(4)));
    m_table.moveLast();
    m_table.moveNext();
    ASSERT_TRUE(m_table.eof());
    EXPECT_TRUE(m_table.value("字形").isNull());
    m_table.moveNext(); // at the end: stays there
    EXPECT_TRUE(m_table.eof());
}

TEST_F(TableTest, CopiesOfAHandleShareOneCursor)
{
    jet::Table working; // refers to nothing yet
    EXPECT_TRUE(working.eof());
    EXPECT_FALSE(working.seek(QStringLiteral("口")));

    working = m_table;
    ASSERT_TRUE(working.setIndex("編號"));
    ASSERT_TRUE(working.seek(qint32(7)));
    EXPECT_EQ(m_table.index(), QStringLiteral("編號"));
    EXPECT_EQ(m_table.value("字形").toString(), QStringLiteral("呆"));
    m_table.moveNext();
    EXPECT_EQ(working.value("編號").toInt(), 8);

    // A second table opened on the same file has its own cursor.
    jet::Table other = m_db.openTable("檢字表").value();
    EXPECT_EQ(other.value("編號").toInt(), 1);
    EXPECT_EQ(working.value("編號").toInt(), 8);

    working.close();
    EXPECT_FALSE(m_table.isOpen());
    EXPECT_TRUE(m_table.eof());
    EXPECT_FALSE(m_table.seek(qint32(1)));
    EXPECT_FALSE(m_table.errorString().isEmpty());
    EXPECT_TRUE(m_table.value("字形").isNull());
    EXPECT_EQ(other.value("編號").toInt(), 1);
}

TEST_F(TableTest, AnEmptyTableIsAtTheEnd)
{
    jet::Table empty = m_db.openTable("空表").value();
    EXPECT_TRUE(empty.eof());
    empty.moveFirst();
    empty.moveLast();
    EXPECT_TRUE(empty.eof());
    ASSERT_TRUE(empty.setIndex("字形"));
    EXPECT_FALSE(empty.seek(QStringLiteral("口")));
    EXPECT_TRUE(empty.noMatch());
}

} // namespace

namespace
{

// A table whose text keys are not all valid UTF-8, as a damaged or foreign file may hold.
class DamagedTableTest : public ::testing::Test
{
protected:
    jet::Table open(const QStringList &statements)
    {
        m_path = m_files.database("damaged.mdb", statements);
        return openAgain();
    }

    jet::Table openAgain()
    {
        jet::Result<jet::Database> db = jet::Database::open(m_path);
        EXPECT_TRUE(db.ok()) << db.errorString().toStdString();
        jet::Table table = db->openTable("字表").value();
        EXPECT_TRUE(table.setIndex("字形"));
        return table;
    }

    static QList<int> walk(jet::Table &table)
    {
        QList<int> numbers;
        table.moveFirst();
        // Bounded: a walk that repeats a record must fail, not hang.
        for (int step = 0; !table.eof() && step < 20; ++step, table.moveNext())
            numbers << table.value("編號").toInt();
        return numbers;
    }

    TestFiles m_files;
    QString m_path;
};

TEST_F(DamagedTableTest, WalkFollowsTheStoredBytesOfTextThatIsNotUtf8)
{
    jet::Table table = open({
        "CREATE TABLE 字表(字形 TEXT, 編號 INTEGER)",
        "CREATE INDEX \"字表.字形\" ON 字表(字形)",
        // C0 and FF41, FE41 decode to U+FFFD (bytes EF BF BD) and U+FFFD A.
        "INSERT INTO 字表 VALUES (CAST(X'FF41' AS TEXT), 1)",
        "INSERT INTO 字表 VALUES (CAST(X'FE41' AS TEXT), 2)",
        "INSERT INTO 字表 VALUES ('B', 3)",
        "INSERT INTO 字表 VALUES (CAST(X'C0' AS TEXT), 4)",
        "INSERT INTO 字表 VALUES ('ð', 5)",
        "INSERT INTO 字表 VALUES (CAST(X'FE41' AS TEXT), 6)",
    });
    // Binary order of the stored bytes: 42 < C0 < C3B0 < FE41 (twice) < FF41.
    EXPECT_EQ(walk(table), QList<int>({3, 4, 5, 2, 6, 1}));
}

TEST_F(DamagedTableTest, KeysSqlCannotHoldMatchNothing)
{
    jet::Table table = open({
        "CREATE TABLE 字表(字形 TEXT, 編號 INTEGER)",
        "CREATE INDEX \"字表.字形\" ON 字表(字形)",
        "INSERT INTO 字表 VALUES ('?', 1)",
        "INSERT INTO 字表 VALUES (char(65533), 2)",
        "INSERT INTO 字表 VALUES ('口', 3)",
    });
    for (const QString &key : {QString(1, QChar(0xD840)), QString(1, QChar(0xDC0B)),
                               u"口"_qs + QChar(0), QString(1, QChar(0))}) {
        EXPECT_FALSE(table.seek(key));
        EXPECT_TRUE(table.noMatch());
        EXPECT_FALSE(table.failed()) << table.errorString().toStdString();
    }
    EXPECT_TRUE(table.seek(QStringLiteral("?")));
    EXPECT_EQ(table.value("編號").toInt(), 1);
}

TEST_F(DamagedTableTest, DamagedIndexPageIsAnErrorNotAMiss)
{
    jet::Table table = open({
        "CREATE TABLE 字表(字形 TEXT, 編號 INTEGER)",
        "CREATE INDEX \"字表.字形\" ON 字表(字形)",
        "INSERT INTO 字表 VALUES ('口', 1)",
        "INSERT INTO 字表 VALUES ('木', 2)",
    });
    ASSERT_FALSE(table.seek(QStringLiteral("林")));
    EXPECT_TRUE(table.noMatch());
    EXPECT_FALSE(table.failed());
    ASSERT_TRUE(table.seek(QStringLiteral("木")));
    table.close();

    // Overwrite the page type of the index's root page.
    int rootPage = 0;
    {
        jet::Result<jet::Database> db = jet::Database::open(m_path);
        jet::Result<jet::Snapshot> root =
            db->openSnapshot("SELECT rootpage FROM sqlite_schema WHERE name = '字表.字形'");
        ASSERT_TRUE(root.ok()) << root.errorString().toStdString();
        rootPage = root->value(0).toInt();
    }
    ASSERT_GT(rootPage, 1);
    QFile file(m_path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek(qint64(rootPage - 1) * 4096));
    ASSERT_EQ(file.write("\x77\x77\x77\x77", 4), 4);
    file.close();

    jet::Table damaged = openAgain();
    EXPECT_FALSE(damaged.seek(QStringLiteral("木")));
    EXPECT_TRUE(damaged.failed());
    EXPECT_TRUE(damaged.noMatch());
    EXPECT_TRUE(damaged.errorString().contains(u"malformed"))
        << damaged.errorString().toStdString();
}

} // namespace

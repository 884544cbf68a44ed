#include "platform/jet/database.h"
#include "platform/jet/quoting.h"
#include "testdatabase.h"

#include <QList>
#include <gtest/gtest.h>

namespace
{

class SnapshotTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QStringList statements = glyphTableStatements();
        statements << "CREATE TABLE 異體字表(組號 INTEGER, 形碼 INTEGER, 編號 INTEGER)"
                   << "INSERT INTO 異體字表 VALUES (2, 1, 7), (1, 3, 5), (2, 0, 5), (1, 0, 6),"
                      " (1, 2, 7), (3, NULL, 9), (3, 4, 9)"
                   << "INSERT INTO 檢字表(編號, 字形) VALUES (11, 'it''s'), (12, '[口]')";
        jet::Result opened = jet::Database::open(m_files.database("murvel.mdb", statements));
        ASSERT_TRUE(opened.ok()) << opened.errorString().toStdString();
        m_db = opened.value();
    }

    jet::Snapshot query(const QString &sql)
    {
        jet::Result<jet::Snapshot> snapshot = m_db.openSnapshot(sql);
        EXPECT_TRUE(snapshot.ok())
            << sql.toStdString() << ": " << snapshot.errorString().toStdString();
        return snapshot.value();
    }

    QList<QVariant> column(jet::Snapshot snapshot, const QString &field)
    {
        QList<QVariant> values;
        for (snapshot.moveFirst(); !snapshot.eof(); snapshot.moveNext())
            values << snapshot.value(field);
        return values;
    }

    TestFiles m_files;
    jet::Database m_db;
};

TEST_F(SnapshotTest, RunsTheDerivationQueriesAsWritten)
{
    jet::Snapshot found = query("SELECT * From 檢字表 Where 編號>0 and 字根序 Like '*口*'  "
                                "ORDER BY 部首筆畫排序,組字字數 DESC ");
    EXPECT_EQ(column(found, "編號"), QList<QVariant>({1, 6, 7, 5, 4}));

    jet::Snapshot withCount =
        query("SELECT * From 檢字表 Where (字形='木') or ( ( [組字字數(Big5)] > 0 ) And 部件序 "
              "Like '*木*')  ORDER BY 部首筆畫排序,組字字數 DESC ");
    EXPECT_EQ(column(withCount, "字形"),
              QList<QVariant>({QStringLiteral("木"), QStringLiteral("林"), QStringLiteral("杏")}));
}

// A name is found as spelt or in any other case, non-ASCII names too; of fields whose
// names differ only in case the first answers, also to the spelling of a later one.
TEST_F(SnapshotTest, FieldNamesIgnoreCaseAndTheFirstOfEqualNamesWins)
{
    jet::Snapshot snapshot = query("SELECT 1 AS Glyph, 2 AS GLYPH, 3 AS [組字字數(Big5)], "
                                   "4 AS Σίγμα FROM 檢字表 WHERE 編號 = 1");
    for (const char *name : {"Glyph", "GLYPH", "glyph"})
        EXPECT_EQ(snapshot.value(QString::fromUtf8(name)).toInt(), 1) << name;
    EXPECT_EQ(snapshot.value(QStringLiteral("組字字數(Big5)")).toInt(), 3);
    EXPECT_EQ(snapshot.value(QStringLiteral("組字字數(big5)")).toInt(), 3);
    EXPECT_EQ(snapshot.value(QStringLiteral("ΣΊΓΜΑ")).toInt(), 4);
    EXPECT_EQ(snapshot.value(QStringLiteral("σίγμα")).toInt(), 4);
    EXPECT_TRUE(snapshot.value(QStringLiteral("組字字數")).isNull()); // logged
}

TEST_F(SnapshotTest, CountsAllRecordsAndReadsFieldsByNameOrPosition)
{
    jet::Snapshot snapshot =
        query("SELECT 編號, 字形 AS Glyph FROM 檢字表 WHERE 編號 <= 5 ORDER BY 編號 DESC");
    EXPECT_EQ(snapshot.recordCount(), 5);
    EXPECT_EQ(snapshot.fieldNames(), QStringList({"編號", "Glyph"}));
    EXPECT_EQ(snapshot.value(0).toInt(), 5);
    EXPECT_EQ(snapshot.value(1).toString(), QStringLiteral("杏"));
    EXPECT_EQ(snapshot.value("GLYPH").toString(), QStringLiteral("杏"));
    snapshot.moveNext();
    EXPECT_TRUE(snapshot.value("glyph").isNull());  // 編號 4 has no glyph
    EXPECT_TRUE(snapshot.value(2).isNull());        // no such position: logged
    EXPECT_TRUE(snapshot.value("字根序").isNull()); // no such field: logged

    snapshot.moveLast();
    EXPECT_EQ(snapshot.value(0).toInt(), 1);
    snapshot.moveNext();
    EXPECT_TRUE(snapshot.eof());
    EXPECT_TRUE(snapshot.value(0).isNull());
    snapshot.moveNext();
    EXPECT_TRUE(snapshot.eof());
    EXPECT_EQ(snapshot.recordCount(), 5);

    jet::Snapshot shared = snapshot;
    shared.moveFirst();
    EXPECT_EQ(snapshot.value(0).toInt(), 5);
}

TEST_F(SnapshotTest, GivesBackEveryKindOfValueAsStoredAfterTheDatabaseCloses)
{
    jet::Snapshot rows = query("SELECT 9223372036854775807, -1.5, 'a木', '', x'00FF', NULL "
                               "UNION ALL SELECT -7, 0.25, NULL, 'b', x'', 'c'");
    m_db.close();

    EXPECT_EQ(rows.value(0), QVariant(qint64(9223372036854775807)));
    EXPECT_EQ(rows.value(1), QVariant(-1.5));
    EXPECT_EQ(rows.value(2), QVariant(QStringLiteral("a木")));
    EXPECT_EQ(rows.value(3).typeId(), QMetaType::QString);
    EXPECT_FALSE(rows.value(3).isNull());
    EXPECT_TRUE(rows.value(3).toString().isEmpty());
    EXPECT_EQ(rows.value(4), QVariant(QByteArray("\x00\xFF", 2)));
    EXPECT_TRUE(rows.value(5).isNull());

    rows.moveNext();
    EXPECT_EQ(rows.value(0), QVariant(qint64(-7)));
    EXPECT_EQ(rows.value(1), QVariant(0.25));
    EXPECT_TRUE(rows.value(2).isNull());
    EXPECT_EQ(rows.value(3), QVariant(QStringLiteral("b")));
    EXPECT_EQ(rows.value(4).toByteArray(), QByteArray());
    EXPECT_EQ(rows.value(5), QVariant(QStringLiteral("c")));
}

TEST_F(SnapshotTest, AnEmptyResultIsAtTheEnd)
{
    jet::Snapshot empty = query("SELECT * FROM 檢字表 WHERE 編號 < 0");
    EXPECT_TRUE(empty.eof());
    EXPECT_EQ(empty.recordCount(), 0);
    empty.moveLast();
    EXPECT_TRUE(empty.eof());
}

TEST_F(SnapshotTest, FirstTakesTheFirstValueOfEachGroupInRowOrder)
{
    jet::Snapshot groups = query("SELECT 組號,First(形碼),編號 From 異體字表 GROUP BY 組號,編號 "
                                 "HAVING 編號= 7 order by 組號");
    EXPECT_EQ(column(groups, "組號"), QList<QVariant>({1, 2}));
    EXPECT_EQ(column(groups, "First(形碼)"), QList<QVariant>({2, 1}));

    jet::Snapshot firsts = query("SELECT 組號, First(形碼) AS 形碼 FROM 異體字表 GROUP BY 組號");
    // Group 3's first value is Null: First does not skip it.
    EXPECT_EQ(column(firsts, "形碼"), QList<QVariant>({3, 1, QVariant()}));
}

TEST_F(SnapshotTest, RefusesStatementsThatWrite)
{
    for (const char *sql :
         {"DELETE FROM 檢字表", "INSERT INTO 異體字表 VALUES (9, 9, 9)", "DROP TABLE 異體字表",
          "SELECT 1; DELETE FROM 檢字表", "CREATE TABLE t(x)"}) {
        const jet::Result<jet::Snapshot> refused = m_db.openSnapshot(sql);
        EXPECT_FALSE(refused.ok()) << sql;
        EXPECT_FALSE(refused.errorString().isEmpty());
    }
    EXPECT_EQ(query("SELECT * FROM 檢字表").recordCount(), 12);
    EXPECT_EQ(query("SELECT 1; -- a closing remark").recordCount(), 1);
}

TEST_F(SnapshotTest, SqlErrorsComeBackWithSqliteMessage)
{
    const jet::Result<jet::Snapshot> missing = m_db.openSnapshot("SELECT * FROM 說文部首");
    EXPECT_FALSE(missing.ok());
    EXPECT_TRUE(missing.errorString().contains("說文部首"));
    EXPECT_TRUE(missing.errorString().contains("no such table"));

    const jet::Result<jet::Snapshot> syntax = m_db.openSnapshot("SELECT * FORM 檢字表");
    EXPECT_FALSE(syntax.ok());
    EXPECT_TRUE(syntax.errorString().contains("syntax error"));

    const jet::Result<jet::Snapshot> pattern =
        m_db.openSnapshot("SELECT * FROM 檢字表 WHERE 字形 Like '[口'");
    EXPECT_FALSE(pattern.ok());
    EXPECT_TRUE(pattern.errorString().contains(u"Like 樣式字串不正確"))
        << pattern.errorString().toStdString();
}

TEST_F(SnapshotTest, OnlyBlanksAndCommentsMayFollowTheStatement)
{
    for (const char *sql : {"SELECT 1; SELECT 2", "SELECT 1; garbage", "SELECT 1; )", "SELECT 1;;x",
                            "SELECT 1 -- remark\n; 'tail'"}) {
        const jet::Result<jet::Snapshot> refused = m_db.openSnapshot(sql);
        EXPECT_FALSE(refused.ok()) << sql;
        EXPECT_TRUE(refused.errorString().contains(u"結尾之後")) << sql;
    }
    EXPECT_EQ(query("SELECT 1;  \n").recordCount(), 1);
    EXPECT_EQ(query("SELECT 1; /* a remark */").recordCount(), 1);
    EXPECT_FALSE(m_db.openSnapshot("  ; -- nothing").ok());
}

TEST_F(SnapshotTest, TextSqlCannotHoldIsRefusedNotMangled)
{
    const QString base = "SELECT 編號 FROM 檢字表 WHERE 字形 Like ";
    const QString unpaired(1, QChar(0xD840));
    for (const QString &typed : {u"口"_qs + QChar(0) + u"' OR 1=1 --"_qs, unpaired,
                                 u"*"_qs + unpaired + u"*"_qs, QString(1, QChar(0xDC0B))}) {
        const jet::Result<jet::Snapshot> refused = m_db.openSnapshot(base + jet::quoteText(typed));
        EXPECT_FALSE(refused.ok());
        EXPECT_TRUE(refused.errorString().contains(u"NUL")) << refused.errorString().toStdString();
    }
    // A character outside the BMP is a pair, and fine.
    EXPECT_EQ(column(query(base + jet::quoteText(u"𠀋"_qs)), "編號"), QList<QVariant>({9}));
    EXPECT_TRUE(jet::isSqlSafeText(u"𠀋口"));
    EXPECT_FALSE(jet::isSqlSafeText(u"𠀋口"_qs.left(1)));
    EXPECT_FALSE(jet::isSqlSafeText(u"𠀋口"_qs.mid(1)));
}

TEST_F(SnapshotTest, QuotedUserTextCannotBreakTheStatement)
{
    EXPECT_EQ(jet::quoteText("it's"), QStringLiteral("'it''s'"));
    const QString base = "SELECT 編號 FROM 檢字表 WHERE 字形 = ";
    EXPECT_EQ(column(query(base + jet::quoteText("it's")), "編號"), QList<QVariant>{11});
    EXPECT_EQ(column(query(base + jet::quoteText("[口]")), "編號"), QList<QVariant>{12});
    EXPECT_EQ(query(base + jet::quoteText("口' OR '1'='1")).recordCount(), 0);
    EXPECT_EQ(query(base + jet::quoteText("'; DELETE FROM 檢字表; --")).recordCount(), 0);
    EXPECT_EQ(query("SELECT * FROM 檢字表").recordCount(), 12);
}

TEST_F(SnapshotTest, LikeIsJetsLikeOnWholeCharacters)
{
    const auto matches = [&](const QString &text, const QString &pattern) {
        jet::Snapshot result =
            query("SELECT " + jet::quoteText(text) + " Like " + jet::quoteText(pattern));
        return result.value(0);
    };
    EXPECT_EQ(matches("木口木", "*口*"), QVariant(qint64(1)));
    EXPECT_EQ(matches("𠀋口", "?口"), QVariant(qint64(1)));
    EXPECT_EQ(matches("ab", "a%"), QVariant(qint64(0))); // % and _ are plain characters
    EXPECT_EQ(matches("a%", "a%"), QVariant(qint64(1)));
    EXPECT_EQ(matches("a_", "a?"), QVariant(qint64(1)));
    EXPECT_EQ(matches("ABC", "abc"), QVariant(qint64(0)));
    EXPECT_EQ(matches("口", "[!口]"), QVariant(qint64(0)));
    EXPECT_TRUE(query("SELECT NULL Like '*'").value(0).isNull());
    EXPECT_EQ(
        column(query("SELECT 編號 FROM 檢字表 WHERE 字形 NOT Like '[口木]' ORDER BY 編號"), "編號"),
        QList<QVariant>({3, 5, 7, 9, 10, 11, 12}));
}

} // namespace

#include "platform/jet/candidatestable.h"
#include "platform/jet/characterindex.h"
#include "platform/jet/database.h"
#include "platform/jet/indexedlike.h"
#include "platform/jet/sqlfunctions.h"
#include "testdatabase.h"

#include <QFile>
#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace
{

using Rows = QList<QList<QVariant>>;

// Writes the character index of the columns into the file.
void writeIndex(const QString &path, const QString &table, const QStringList &columns)
{
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    EXPECT_EQ(jet::writeCharacterIndex(db, table, columns), QString());
    sqlite3_close(db);
}

// The statement as the database layer runs it on the file; a rewritten statement must
// prepare, since the layer would otherwise fall back to the plain one unseen.
QString rewritten(const QString &path, const QString &sql)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    jet::CharacterIndex index(db);
    jet::registerJetFunctions(db);
    jet::registerCandidatesTable(db, &index);
    const QString result = jet::WithCharacterIndex(db, index, sql);
    if (result != sql) {
        sqlite3_stmt *statement = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(db, result.toUtf8().constData(), -1, &statement, nullptr),
                  SQLITE_OK)
            << result.toStdString() << ": " << sqlite3_errmsg(db);
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return result;
}

jet::Database open(const QString &path)
{
    jet::Result<jet::Database> opened = jet::Database::open(path);
    EXPECT_TRUE(opened.ok()) << opened.errorString().toStdString();
    return opened.value();
}

// Every field of every row, in order.
Rows rows(const jet::Database &db, const QString &sql)
{
    jet::Result<jet::Snapshot> opened = db.openSnapshot(sql);
    EXPECT_TRUE(opened.ok()) << sql.toStdString() << ": " << opened.errorString().toStdString();
    jet::Snapshot snapshot = opened.value();
    Rows result;
    for (snapshot.moveFirst(); !snapshot.eof(); snapshot.moveNext()) {
        QList<QVariant> row;
        for (qsizetype i = 0; i < snapshot.fieldNames().size(); ++i)
            row << snapshot.value(i);
        result << row;
    }
    return result;
}

// The glyph table twice: as written, and with the character index of two sequence fields.
class CharacterIndexTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_plain = open(m_files.database("plain.mdb", glyphTableStatements()));
        m_indexedPath = m_files.database("indexed.mdb", glyphTableStatements());
        writeIndex(m_indexedPath, "檢字表", {"部件序", "字根序"});
        m_indexed = open(m_indexedPath);
    }

    TestFiles m_files;
    jet::Database m_plain;
    QString m_indexedPath;
    jet::Database m_indexed;
};

TEST_F(CharacterIndexTest, IndexedSearchesGiveThePlainAnswerInItsOrder)
{
    const QStringList searches = {
        // The derivation searches, ties in the sort key (rows 4 and 5) included.
        "SELECT * From 檢字表 Where 編號>0 and 字根序 Like '*口*'  ORDER BY 部首筆畫排序,組字字數 "
        "DESC",
        "SELECT * From 檢字表 Where (字形='木') or ( ( [組字字數(Big5)] > 0 ) And 部件序 Like "
        "'*木*')"
        "  ORDER BY 部首筆畫排序,組字字數 DESC ",
        "SELECT * From 檢字表 Where 編號>0 and 字根序 Like '*木*口*' ORDER BY 部首筆畫排序;",
        // No ORDER BY: the rows come in the order the plain plan reads them (index 編號 here).
        "SELECT 字形, 編號 FROM 檢字表 WHERE 編號 > 2 AND 部件序 LIKE '木*'",
        "SELECT * FROM 檢字表 WHERE 部件序 LIKE '[木]?' -- a comment",
        "SELECT * FROM 檢字表 WHERE ((部件序 LIKE '*口' OR 字根序 LIKE '木*') AND Big5 > 1)",
        "select * from 檢字表 where 字根序 like '*𠀋*' or 字根序 like '\uF6A3'",
        // A character that no record holds.
        "SELECT * FROM 檢字表 WHERE 字根序 LIKE '*水*'",
    };
    for (const QString &sql : searches) {
        EXPECT_NE(rewritten(m_indexedPath, sql), sql) << sql.toStdString();
        EXPECT_EQ(rows(m_indexed, sql), rows(m_plain, sql)) << sql.toStdString();
    }
}

TEST_F(CharacterIndexTest, StatementsTheIndexCannotServeStayAsWritten)
{
    const QStringList statements = {
        "SELECT * FROM 檢字表 WHERE 部件序 NOT LIKE '*口*'",
        "SELECT * FROM 檢字表 WHERE NOT (部件序 LIKE '*口*')",
        "SELECT * FROM 檢字表 WHERE (部件序 LIKE '*口*') = 0",
        "SELECT * FROM 檢字表 WHERE 字根序 = 部件序 LIKE '*口*'",
        "SELECT * FROM 檢字表 WHERE 部件序 LIKE '*口*' IS NULL",
        "SELECT 部件序 LIKE '*口*' FROM 檢字表 WHERE 編號 > 0",
        "SELECT First(字形) FROM 檢字表 WHERE 部件序 LIKE '*口*'",
        "SELECT 連接符號 FROM 檢字表 WHERE 部件序 LIKE '*口*' GROUP BY 連接符號",
        "SELECT DISTINCT 連接符號 FROM 檢字表 WHERE 部件序 LIKE '*口*'",
        "SELECT * FROM 檢字表 WHERE 部件序 LIKE '*口*' LIMIT 2",
        "SELECT * FROM 檢字表 WHERE 部件序 LIKE '*口*' ESCAPE '!'",
        "SELECT * FROM 檢字表 a, 檢字表 b WHERE a.部件序 LIKE '*口*'",
        "SELECT * FROM 檢字表 WHERE 檢字表.部件序 LIKE '*口*'",
        "SELECT * FROM 檢字表 WHERE 編號 IN (SELECT 編號 FROM 檢字表 WHERE 部件序 LIKE '*口*')",
        "SELECT * FROM 檢字表 WHERE 部件序 LIKE '*?*' OR 部件序 LIKE '[!口]#'",
        "SELECT * FROM 檢字表 WHERE 字形 LIKE '*口*'", // no index of 字形
        "SELECT * FROM 檢字表 WHERE 字形 = '部件序 LIKE ''*口*'''",
        "SELECT * FROM 檢字表 WHERE 部件序 LIKE ?",
        // Statements that do not run, or fail on their first record.
        "SELECT * FROM 檢字表 WHERE 部件序 LIKE '*口*' AND 字根序 LIKE '[口'",
        "SELECT * FROM 檢字表 WHERE OR (部件序 LIKE '*口*')",
        "SELECT * FROM 檢字表 WHERE 部件序 LIKE '*口*' OR",
        "SELECT * FROM 檢字表 WHERE (部件序 LIKE '*口*'",
        // SQLite reads a text only up to a NUL, so what follows it is no part of the statement.
        QStringLiteral("SELECT * FROM 檢字表 WHERE 部件序 LIKE '*口*' ORDER BY 編號") + QChar(0) +
            QStringLiteral(" DESC"),
    };
    for (const QString &sql : statements)
        EXPECT_EQ(rewritten(m_indexedPath, sql), sql) << sql.toStdString();
    // A file written before there was an index runs every search as written.
    const QString search = "SELECT * FROM 檢字表 WHERE 部件序 LIKE '*口*'";
    EXPECT_EQ(rewritten(m_files.path("plain.mdb"), search), search);
}

TEST_F(CharacterIndexTest, ADamagedIndexIsReportedInsteadOfAnswered)
{
    // A list of records that ends inside a number.
    m_indexed.close();
    m_files.database("indexed.mdb", {"UPDATE jet_character_index SET records = x'80'"});
    const jet::Database damaged = open(m_indexedPath);
    jet::Result<jet::Snapshot> found =
        damaged.openSnapshot("SELECT * FROM 檢字表 WHERE 部件序 LIKE '*口*'");
    EXPECT_FALSE(found.ok());
    EXPECT_TRUE(found.errorString().contains("jet_character_index"))
        << found.errorString().toStdString();
}

// Random texts, patterns and statement shapes: the indexed answer is the scan's, row for row.
TEST(CharacterIndexRandomTest, SearchesMatchTheScan)
{
    QRandomGenerator random(19);
    const QString alphabet = QStringLiteral("口木水人𠀋*");
    const auto text = [&](int maximum) {
        QString result;
        for (int length = int(random.bounded(maximum + 1)); length > 0; --length) {
            const qsizetype at = random.bounded(alphabet.size());
            // 𠀋 takes two UTF-16 units.
            result += alphabet[at].isHighSurrogate()  ? alphabet.mid(at, 2)
                      : alphabet[at].isLowSurrogate() ? alphabet.mid(at - 1, 2)
                                                      : alphabet.mid(at, 1);
        }
        return result;
    };
    const auto literal = [](const QString &value) {
        return value.isNull() ? QStringLiteral("NULL") : u'\'' + value + u'\'';
    };
    QStringList statements = {"CREATE TABLE t(k INTEGER, c TEXT, d TEXT)",
                              "CREATE INDEX t_k ON t(k)"};
    // Rowids far apart, so that the distances in the lists take several bytes.
    qint64 rowid = 0;
    for (int i = 0; i < 600; ++i) {
        rowid += 1 + random.bounded(i % 50 == 0 ? 1 << 30 : 300);
        const QString c = random.bounded(8) == 0 ? QString() : text(5);
        statements << QStringLiteral("INSERT INTO t(rowid, k, c, d) VALUES (%1, %2, %3, %4)")
                          .arg(rowid)
                          .arg(random.bounded(6))
                          .arg(literal(c), literal(text(3)));
    }
    TestFiles files;
    const jet::Database plain = open(files.database("plain.mdb", statements));
    const QString indexedPath = files.database("indexed.mdb", statements);
    writeIndex(indexedPath, "t", {"c", "d"});
    const jet::Database indexed = open(indexedPath);

    const QStringList pieces = {"口", "木", "水",     "人",    "𠀋", "*",
                                "*",  "?",  "[口木]", "[!人]", "[*]"};
    const auto pattern = [&] {
        QString result;
        for (int length = 1 + int(random.bounded(4)); length > 0; --length)
            result += pieces[random.bounded(pieces.size())];
        return result;
    };
    const QStringList shapes = {
        "SELECT * FROM t WHERE c LIKE '%1' ORDER BY d DESC, k",
        "SELECT * FROM t WHERE k > 1 AND c LIKE '%1'",
        "SELECT * FROM t WHERE (k = 3) OR (c LIKE '%1' AND d LIKE '%2') ORDER BY k DESC",
        "SELECT c, k FROM t WHERE c LIKE '%1' OR d LIKE '%2'",
        "SELECT * FROM t WHERE c LIKE '%1' AND (d LIKE '%2' OR k < 2) ORDER BY d, k",
        // Plain plans that search index t_k once for each OR term; a term with a %.
        "SELECT * FROM t WHERE (k = 2) OR (k > 3 AND k <> 14%3 AND c LIKE '%1') ORDER BY d",
        "SELECT * FROM t WHERE (k = 3) OR (k > 3 AND c LIKE '%1') ORDER BY d",
        "SELECT k, d FROM t WHERE k < 2 OR k = 4 AND d LIKE '%2' OR k = 5 AND c LIKE '%1'",
    };
    int served = 0;
    for (int i = 0; i < 350; ++i) {
        QString sql = shapes[i % shapes.size()];
        sql.replace("%1", pattern()).replace("%2", pattern());
        served += rewritten(indexedPath, sql) != sql;
        ASSERT_EQ(rows(indexed, sql), rows(plain, sql)) << sql.toStdString();
    }
    // Most patterns hold a literal character, and all shapes but the backward walk of
    // index t_k for ORDER BY k DESC can take the index.
    EXPECT_GT(served, 200) << served;
}

} // namespace

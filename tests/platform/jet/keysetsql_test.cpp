#include "platform/jet/database.h"
#include "platform/jet/keysetsql.h"
#include "testdatabase.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace
{

// Every move of a table cursor must be an index search, so that a step costs O(log n)
// however large the table: no full scan and no sort of the whole table.
class KeysetPlan : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString fileName = m_files.database("murvel.mdb", glyphTableStatements());
        ASSERT_EQ(sqlite3_open_v2(QFile::encodeName(fileName).constData(), &m_db,
                                  SQLITE_OPEN_READONLY, nullptr),
                  SQLITE_OK);
    }
    void TearDown() override { sqlite3_close(m_db); }

    QString plan(const QString &sql)
    {
        sqlite3_stmt *statement = nullptr;
        const QByteArray text = ("EXPLAIN QUERY PLAN " + sql).toUtf8();
        EXPECT_EQ(sqlite3_prepare_v2(m_db, text.constData(), -1, &statement, nullptr), SQLITE_OK)
            << sql.toStdString() << ": " << sqlite3_errmsg(m_db);
        QString steps;
        while (sqlite3_step(statement) == SQLITE_ROW)
            steps += QString::fromUtf8(
                         reinterpret_cast<const char *>(sqlite3_column_text(statement, 3))) +
                     u'\n';
        sqlite3_finalize(statement);
        return steps;
    }

    QStringList movesOf(const jet::KeysetSql &keyset)
    {
        QStringList texts{keyset.first(), keyset.last(), keyset.atRowid()};
        for (qsizetype equal = 0; equal <= keyset.keyCount(); ++equal) {
            if (equal > 0)
                texts << keyset.seek(equal);
            texts << keyset.next(equal, false);
            if (equal < keyset.keyCount())
                texts << keyset.next(equal, true);
        }
        return texts;
    }

    TestFiles m_files;
    sqlite3 *m_db = nullptr;
};

TEST_F(KeysetPlan, MovesAlongAnIndexSearchThatIndex)
{
    const QStringList keys[] = {{"字形"}, {"連接符號", "部件序"}};
    const char *names[] = {"檢字表.字形", "檢字表.構字式"};
    for (int i = 0; i < 2; ++i) {
        for (const QString &sql : movesOf(jet::KeysetSql("檢字表", keys[i]))) {
            if (sql.contains("rowid = ?1"))
                continue; // a rowid lookup needs no index
            const QString steps = plan(sql);
            EXPECT_TRUE(steps.contains(QStringLiteral("INDEX ") + names[i]))
                << sql.toStdString() << "\n"
                << steps.toStdString();
            EXPECT_FALSE(steps.contains("TEMP B-TREE")) << sql.toStdString();
        }
    }
}

TEST_F(KeysetPlan, MovesInRowOrderUseTheRowid)
{
    for (const QString &sql : movesOf(jet::KeysetSql("檢字表", {}))) {
        const QString steps = plan(sql);
        EXPECT_FALSE(steps.contains("TEMP B-TREE")) << sql.toStdString();
        if (sql.contains("WHERE")) {
            EXPECT_TRUE(steps.contains("INTEGER PRIMARY KEY")) << sql.toStdString();
        }
    }
}

} // namespace

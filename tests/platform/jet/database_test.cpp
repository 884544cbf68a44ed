#include "platform/jet/database.h"
#include "testdatabase.h"

#include <QFile>
#include <gtest/gtest.h>

namespace
{

TEST(DatabaseOpen, RefusesFilesThatAreNotDatabasesNamingThem)
{
    TestFiles files;
    QFile text(files.path("murvel.mdb"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("字形\t編號\n口\t1\n");
    text.close();
    QFile empty(files.path("qelseal.mdb"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    // A valid header over damaged contents is found out when the schema is read.
    QFile damaged(files.path("qelchu.mdb"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray("SQLite format 3", 16) + QByteArray(200, '\x7f'));
    damaged.close();

    for (const char *name : {"missing.mdb", "murvel.mdb", "qelseal.mdb", "qelchu.mdb"}) {
        const QString fileName = files.path(name);
        const jet::Result<jet::Database> opened = jet::Database::open(fileName);
        EXPECT_FALSE(opened.ok()) << name;
        EXPECT_TRUE(opened.errorString().contains(fileName)) << opened.errorString().toStdString();
        EXPECT_TRUE(opened.errorString().startsWith(u"無法開啟資料庫"));
        EXPECT_FALSE(opened.value().isOpen());
    }
    EXPECT_TRUE(
        jet::Database::open(files.path("missing.mdb")).errorString().endsWith(u"檔案不存在"));
    EXPECT_TRUE(
        jet::Database::open(files.path("murvel.mdb")).errorString().endsWith(u"這不是資料庫檔案"));
}

TEST(DatabaseOpen, OpensAnSqliteFileAndKeepsItsName)
{
    TestFiles files;
    const QString fileName = files.database("murvel.mdb", glyphTableStatements());
    const jet::Result<jet::Database> opened = jet::Database::open(fileName);
    ASSERT_TRUE(opened.ok()) << opened.errorString().toStdString();
    EXPECT_TRUE(opened->isOpen());
    EXPECT_EQ(opened->fileName(), fileName);
    // Each connection holds its read lock for good; a second reader is not kept out.
    const jet::Result<jet::Database> second = jet::Database::open(fileName);
    ASSERT_TRUE(second.ok()) << second.errorString().toStdString();
    EXPECT_EQ(second->openSnapshot("SELECT * FROM 檢字表").value().recordCount(), 10);
}

TEST(DatabaseLifetime, TablesKeepTheFileOpenAfterTheDatabaseHandleCloses)
{
    TestFiles files;
    jet::Table table;
    {
        jet::Database database =
            jet::Database::open(files.database("murvel.mdb", glyphTableStatements())).value();
        table = database.openTable("檢字表").value();
        database.close();
        EXPECT_FALSE(database.isOpen());
        EXPECT_FALSE(database.openTable("檢字表").ok());
        EXPECT_FALSE(database.openSnapshot("SELECT 1").ok());
    }
    ASSERT_TRUE(table.setIndex("字形"));
    ASSERT_TRUE(table.seek(QStringLiteral("林")));
    EXPECT_EQ(table.value("編號").toInt(), 3);
}

TEST(DatabaseLifetime, SnapshotsStayReadableAfterTheFileCloses)
{
    TestFiles files;
    jet::Database database =
        jet::Database::open(files.database("murvel.mdb", glyphTableStatements())).value();
    jet::Snapshot snapshot =
        database.openSnapshot("SELECT 字形 FROM 檢字表 WHERE 編號 = 7").value();
    database.close();
    EXPECT_EQ(snapshot.value("字形").toString(), QStringLiteral("呆"));
}

} // namespace

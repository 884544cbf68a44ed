#include "tests/vbprog/murvel/core/operatortable.h"
#include "vbprog/murvel/core/databases.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/schema/databaseschema.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace
{

const QString BasicFixture = QStringLiteral(MURVEL_FIXTURE_DIR "/basic");
const QString FaultyFixture = QStringLiteral(MURVEL_FIXTURE_DIR "/faulty");

bool anyContains(const QStringList &texts, const QString &part)
{
    return std::any_of(texts.begin(), texts.end(),
                       [&](const QString &text) { return text.contains(part); });
}

class DatabasesTest : public ::testing::Test
{
protected:
    void TearDown() override { CloseDatabases(); }

    OpenReport openAll(const QString &folder)
    {
        OpenReport report;
        OpenDatabases(folder, report);
        OpenTables(report);
        if (gDb楷書.isOpen())
            LoadOperatorTable(report);
        return report;
    }
};

TEST_F(DatabasesTest, OpensTheFiveDatabasesAndEveryTable)
{
    const OpenReport report = openAll(BasicFixture);
    EXPECT_TRUE(report.ok()) << report.errors.join('\n').toStdString();
    EXPECT_TRUE(report.warnings.isEmpty()) << report.warnings.join('\n').toStdString();
    for (const jet::Database *db : {&gDb楷書, &gDb小篆, &gDb金文, &gDb甲骨文, &gDb楚系文字})
        EXPECT_TRUE(db->isOpen());
    for (const jet::Table *table :
         {&gRs檢字表, &gRs常用符號及部件類型, &gRs康熙部首, &gRs說文部首, &gRs異寫字根,
          &gRs異體字表, &gRs檢字表楷書, &gRs字根楷書, &gRs異寫字根楷書, &gRs異體字表楷書,
          &gRs檢字表小篆, &gRs補遺金文, &gRs異體字表楚系文字})
        EXPECT_TRUE(table->isOpen());
}

TEST_F(DatabasesTest, TablesStartWithTheirIndexes)
{
    openAll(BasicFixture);
    EXPECT_EQ(gRs檢字表.index(), "字形");
    EXPECT_EQ(gRs檢字表楷書.index(), "字形");
    EXPECT_EQ(gRs異寫字根.index(), "字根");
    EXPECT_EQ(gRs異體字表.index(), "編號");
    EXPECT_EQ(gRs補遺金文.index(), "楷書編號");
    EXPECT_EQ(gRs檢字表楚系文字.index(), "字形");
    EXPECT_TRUE(gRs字根楷書.index().isEmpty());
    EXPECT_TRUE(gRs康熙部首.index().isEmpty());
    EXPECT_TRUE(gRs常用符號及部件類型.index().isEmpty());
}

TEST_F(DatabasesTest, EachScriptHandleReadsItsOwnDatabase)
{
    openAll(BasicFixture);
    ASSERT_TRUE(gRs檢字表楷書.setIndex("編號"));
    ASSERT_TRUE(gRs檢字表小篆.setIndex("編號"));
    gRs檢字表楷書.moveFirst();
    gRs檢字表小篆.moveFirst();
    // An ancient record links to a regular one; the regular table has no such field.
    EXPECT_TRUE(gRs檢字表楷書.value("楷書編號").isNull());
    EXPECT_FALSE(gRs檢字表小篆.value("楷書編號").isNull());
}

TEST_F(DatabasesTest, TheWorkingHandleIsACursorOfItsOwnUntilItIsRepointed)
{
    openAll(BasicFixture);
    ASSERT_TRUE(gRs檢字表.setIndex("編號"));
    gRs檢字表.moveLast();
    EXPECT_EQ(gRs檢字表楷書.index(), "字形");
    gRs檢字表 = gRs檢字表楷書;
    EXPECT_EQ(gRs檢字表.index(), "字形");
    ASSERT_TRUE(gRs檢字表.setIndex("編號"));
    EXPECT_EQ(gRs檢字表楷書.index(), "編號");
}

TEST_F(DatabasesTest, LoadsTheTypefaceNamesByNumber)
{
    openAll(BasicFixture);
    EXPECT_EQ(gFaceNames[0], "標楷體");
    EXPECT_EQ(gFaceNames[1], "標楷體外字集一");
    EXPECT_EQ(gFaceNames[13], "北師大說文小篆");
    EXPECT_EQ(gFaceNames[17], "Ombrel楚系文字");
    EXPECT_TRUE(std::any_of(gFaceNames.begin(), gFaceNames.end(), [](const QString &name) {
        return name.isEmpty();
    })) << "the fixture leaves one typeface number without a record";
}

TEST_F(DatabasesTest, LoadsTheFourteenOperators)
{
    openAll(BasicFixture);
    EXPECT_TRUE(gOperatorSymbols.isComplete());
    EXPECT_EQ(FindOperator(QString(QChar(0xF6A4)), 1, 14), 1);
    EXPECT_EQ(FindOperator(QString(QChar(0xF6A3)), 1, 14), 2);
    EXPECT_EQ(FindOperator(QString(QChar(0xF6AF)), 1, 14), 13);
}

TEST_F(DatabasesTest, FaultyTablesAreReportedAndWhatIsThereStillWorks)
{
    const OpenReport report = openAll(FaultyFixture);
    // qelchu.mdb lacks 異體字表: an error that names the file and the table.
    ASSERT_EQ(report.errors.size(), 1) << report.errors.join('\n').toStdString();
    EXPECT_TRUE(report.errors[0].contains("qelchu.mdb"));
    EXPECT_TRUE(report.errors[0].contains("異體字表"));
    EXPECT_TRUE(gRs檢字表楚系文字.isOpen());

    // 符號 holds 12 records; 字體 has records numbered -1 and 25.
    EXPECT_TRUE(anyContains(report.warnings, "符號表缺少編號"));
    EXPECT_TRUE(anyContains(report.warnings, "-1"));
    EXPECT_TRUE(anyContains(report.warnings, "25"));
    EXPECT_FALSE(gOperatorSymbols.isComplete());
    EXPECT_EQ(FindOperator(QString(QChar(0xF6A4)), 1, 14), 1);
    EXPECT_EQ(gFaceNames[0], "標楷體");
}

TEST_F(DatabasesTest, MissingAndForeignFilesAreNamed)
{
    QTemporaryDir dir;
    QFile foreign(dir.filePath("murvel.mdb"));
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
    foreign.write("Standard Jet DB, not an SQLite file");
    foreign.close();

    const OpenReport report = openAll(dir.path());
    ASSERT_EQ(report.errors.size(), 5);
    for (qsizetype i = 0; i < ScriptDatabaseFiles.size(); ++i)
        EXPECT_TRUE(report.errors[i].contains(ScriptDatabaseFiles[i]))
            << report.errors[i].toStdString();
    EXPECT_FALSE(gRs檢字表.isOpen());
}

TEST_F(DatabasesTest, AFileOfAnotherSchemaVersionIsRefusedByName)
{
    QTemporaryDir dir;
    for (const QString &file : ScriptDatabaseFiles)
        ASSERT_TRUE(QFile::copy(QDir(BasicFixture).filePath(file), dir.filePath(file)));
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(dir.filePath("qelbronz.mdb")).constData(), &db),
              SQLITE_OK);
    const QByteArray stamp =
        QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion + 1).toUtf8();
    EXPECT_EQ(sqlite3_exec(db, stamp.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);

    const OpenReport report = openAll(dir.path());
    ASSERT_FALSE(report.ok());
    EXPECT_TRUE(report.errors[0].contains("qelbronz.mdb")) << report.errors[0].toStdString();
    EXPECT_TRUE(report.errors[0].contains(QString::number(SchemaVersion + 1)));
    EXPECT_FALSE(gDb金文.isOpen());
    EXPECT_TRUE(gDb楷書.isOpen());
}

} // namespace

#pragma once

#include "vbprog/murvel/core/databases.h"
#include "vbprog/murvel/core/公用變數.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

// Opening fixture databases as start-up does, and copies of a fixture with records changed
// in ways the generator refuses to build (cycles, Null fields, stray codes).

inline const QString BasicFixture = QStringLiteral(MURVEL_FIXTURE_DIR "/basic");
inline const QString SearchFixture = QStringLiteral(MURVEL_FIXTURE_DIR "/search");

// Opens the five databases of the folder, the tables of the run and the operator table.
inline void OpenFixture(const QString &folder)
{
    OpenReport report;
    OpenDatabases(folder, report);
    OpenTables(report);
    LoadOperatorTable(report);
    ASSERT_TRUE(report.ok()) << report.errors.join('\n').toStdString();
}

// A copy of a fixture in a temporary folder; its databases can be changed before opening.
class FixtureCopy
{
public:
    explicit FixtureCopy(const QString &fixture)
    {
        for (const QString &file : QDir(fixture).entryList({"*.mdb"}, QDir::Files))
            QFile::copy(QDir(fixture).filePath(file), m_dir.filePath(file));
    }

    QString folder() const { return m_dir.path(); }

    // Runs SQL on <database>.mdb of the copy; a failure fails the test.
    void execute(const QString &database, const QString &sql) const
    {
        sqlite3 *db = nullptr;
        const QByteArray path = m_dir.filePath(database + ".mdb").toUtf8();
        ASSERT_EQ(sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr),
                  SQLITE_OK);
        char *error = nullptr;
        const int status = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
        const std::string message = error ? error : "";
        sqlite3_free(error);
        sqlite3_close(db);
        ASSERT_EQ(status, SQLITE_OK) << message;
    }

private:
    QTemporaryDir m_dir;
};

// 編號 of the regular record with this 字形, or with this 字碼 when it has no 字形.
inline qint32 RegularNumber(const QString &glyph)
{
    jet::Result<jet::Snapshot> rows = gDb楷書.openSnapshot(
        QStringLiteral(
            "SELECT 編號 FROM 檢字表 WHERE 字形 = '%1' OR (字形 IS NULL AND 字碼 = '%1')")
            .arg(glyph));
    if (!rows || rows->eof())
        return -1;
    return rows->value("編號").toInt();
}

// Closes the databases after each test.
class FixtureTest : public ::testing::Test
{
protected:
    void TearDown() override { CloseDatabases(); }
};

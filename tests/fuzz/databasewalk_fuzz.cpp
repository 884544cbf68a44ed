// The table cursor over the basic fixture's 檢字表 with records added from the input, whose
// texts may be any bytes: a walk along each index visits every record once and ends, and a
// seek of a stored glyph finds it.
#include "fuzzsupport.h"
#include "platform/jet/database.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <fuzzer/FuzzedDataProvider.h>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace
{

QByteArray g_fixture;
QString g_path;

struct AddedRecord {
    std::string glyph; // 字形, as stored
    uint8_t kind;      // 連接符號; 255 stores Null
    std::string components;
};

void bindText(sqlite3_stmt *statement, int column, const std::string &bytes)
{
    sqlite3_bind_text(statement, column, bytes.data(), int(bytes.size()), SQLITE_TRANSIENT);
}

// Writes the fixture with the records added; returns the number of records of 檢字表.
qint64 writeDatabase(const std::vector<AddedRecord> &records)
{
    QFile out(g_path);
    fuzz::Check(out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                    out.write(g_fixture) == g_fixture.size(),
                "the fixture copy is written");
    out.close();

    sqlite3 *db = nullptr;
    fuzz::Check(sqlite3_open(g_path.toUtf8().constData(), &db) == SQLITE_OK, "the copy opens");
    sqlite3_exec(db, "PRAGMA synchronous = OFF; BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO 檢字表 (編號, 字形, 連接符號, 部件序) VALUES (?, ?, ?, ?)",
                       -1, &insert, nullptr);
    int number = 900000;
    for (const AddedRecord &record : records) {
        sqlite3_bind_int(insert, 1, ++number);
        bindText(insert, 2, record.glyph);
        if (record.kind == 255)
            sqlite3_bind_null(insert, 3);
        else
            sqlite3_bind_int(insert, 3, record.kind);
        bindText(insert, 4, record.components);
        fuzz::Check(sqlite3_step(insert) == SQLITE_DONE, "a record is added");
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_stmt *count = nullptr;
    sqlite3_prepare_v2(db, "SELECT count(*) FROM 檢字表", -1, &count, nullptr);
    sqlite3_step(count);
    const qint64 total = sqlite3_column_int64(count, 0);
    sqlite3_finalize(count);
    sqlite3_close(db);
    return total;
}

// Walks the index from its first record: every record once, then the end.
void walk(jet::Table &table, const QString &index, qint64 records)
{
    fuzz::Check(table.setIndex(index), "the index exists", index);
    QSet<qint64> seen;
    table.moveFirst();
    while (!table.eof() && seen.size() <= records) {
        const std::optional<jet::Bookmark> bookmark = table.bookmark();
        fuzz::Check(bookmark.has_value(), "a current record has a bookmark", index);
        fuzz::Check(!seen.contains(bookmark->rowid), "no record comes twice", index);
        seen.insert(bookmark->rowid);
        table.moveNext();
    }
    fuzz::Check(table.eof() && seen.size() == records, "the walk visits every record", index);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    QFile fixture(QStringLiteral(MURVEL_FIXTURE_DIR "/basic/murvel.mdb"));
    fuzz::Check(fixture.open(QIODevice::ReadOnly), "the basic fixture exists");
    g_fixture = fixture.readAll();
    static QTemporaryDir folder(fuzz::ScratchTemplate());
    g_path = folder.filePath(QStringLiteral("murvel.mdb"));
    return 0;
}

// Input: up to eight records (字形, 連接符號, 部件序).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    std::vector<AddedRecord> added(input.ConsumeIntegralInRange<size_t>(0, 8));
    for (AddedRecord &record : added) {
        record.glyph = input.ConsumeRandomLengthString(8);
        record.kind = input.ConsumeIntegral<uint8_t>();
        record.components = input.ConsumeRandomLengthString(8);
    }
    const qint64 records = writeDatabase(added);

    jet::Result<jet::Database> database = jet::Database::open(g_path);
    fuzz::Check(database.ok(), "the copy opens read-only", database.errorString());
    jet::Result<jet::Table> opened = database->openTable(QStringLiteral("檢字表"));
    fuzz::Check(opened.ok(), "the table opens", opened.errorString());
    jet::Table table = opened.value();
    for (const QString &index : {QStringLiteral("字形"), QStringLiteral("構字式"),
                                 QStringLiteral("編號"), QStringLiteral("字根序")})
        walk(table, index, records);

    table.setIndex(QStringLiteral("字形"));
    for (const AddedRecord &record : added) {
        const QByteArray bytes = QByteArray::fromStdString(record.glyph);
        const QString glyph = QString::fromUtf8(bytes);
        if (bytes.isEmpty() || bytes.contains('\0') || glyph.toUtf8() != bytes)
            continue; // no lookup seeks an empty text; typed text never holds a NUL or these bytes
        fuzz::Check(table.seek(glyph) && table.value(QStringLiteral("字形")).toString() == glyph,
                    "a stored glyph is found", glyph);
        qint64 steps = 0;
        while (!table.eof() && steps++ <= records)
            table.moveNext();
        fuzz::Check(table.eof(), "a walk from a seek ends", glyph);
    }
    return 0;
}

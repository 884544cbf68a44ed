#include "platform/jet/characterindex.h"

#include "platform/jet/likepattern.h"
#include "platform/jet/quoting.h"
#include "platform/jet/statement.h"

#include <algorithm>
#include <map>
#include <sqlite3.h>

namespace jet
{

namespace
{

constexpr char kCreateIndexTable[] =
    "CREATE TABLE IF NOT EXISTS jet_character_index (table_name TEXT, column_name TEXT,"
    " character INTEGER, records BLOB, PRIMARY KEY (table_name, column_name, character))"
    " WITHOUT ROWID";

// Binds the table's and the column's names to ?1 and ?2.
bool bindNames(Statement &statement, const QString &table, const QString &column, QString *error)
{
    return statement.bind(1, table, error) && statement.bind(2, column, error);
}

QString failure(sqlite3 *db, const QString &what)
{
    return QStringLiteral("%1: %2").arg(what, QString::fromUtf8(sqlite3_errmsg(db)));
}

// Ascending rowids as the variable-length distances between them, seven bits a byte, the
// high bit set on every byte but a number's last.
std::string encodeRecords(const std::vector<qint64> &rowids)
{
    std::string bytes;
    qint64 previous = 0;
    for (const qint64 rowid : rowids) {
        auto distance = quint64(rowid - previous);
        previous = rowid;
        for (; distance >= 0x80; distance >>= 7)
            bytes.push_back(char(0x80 | (distance & 0x7F)));
        bytes.push_back(char(distance));
    }
    return bytes;
}

// False when the bytes end inside a number.
bool decodeRecords(const unsigned char *bytes, int size, std::vector<qint64> &rowids)
{
    rowids.clear();
    quint64 rowid = 0;
    quint64 distance = 0;
    int shift = 0;
    for (int i = 0; i < size; ++i) {
        if (shift > 63)
            return false;
        distance |= quint64(bytes[i] & 0x7F) << shift;
        if (bytes[i] & 0x80) {
            shift += 7;
            continue;
        }
        rowid += distance;
        rowids.push_back(qint64(rowid));
        distance = 0;
        shift = 0;
    }
    return shift == 0;
}

} // namespace

QString writeCharacterIndex(sqlite3 *db, const QString &table, const QStringList &columns)
{
    if (sqlite3_exec(db, kCreateIndexTable, nullptr, nullptr, nullptr) != SQLITE_OK)
        return failure(db, QStringLiteral("jet_character_index"));
    Statement remove = Statement::prepare(
        db, QStringLiteral("DELETE FROM jet_character_index WHERE table_name = ?1"
                           " AND column_name = ?2"));
    Statement insert = Statement::prepare(
        db, QStringLiteral("INSERT INTO jet_character_index VALUES (?1, ?2, ?3, ?4)"));
    if (remove.isNull() || insert.isNull())
        return failure(db, QStringLiteral("jet_character_index"));

    std::u32string characters;
    for (const QString &column : columns) {
        const Statement rows = Statement::prepare(
            db, QStringLiteral("SELECT rowid, %1 FROM %2 WHERE %1 IS NOT NULL ORDER BY rowid")
                    .arg(quoteIdentifier(column), quoteIdentifier(table)));
        if (rows.isNull())
            return failure(db, table + u'.' + column);
        // Rows are read in rowid order, so every list is built ascending.
        std::map<char32_t, std::vector<qint64>> records;
        int rc;
        while ((rc = sqlite3_step(rows.handle())) == SQLITE_ROW) {
            const qint64 rowid = sqlite3_column_int64(rows.handle(), 0);
            const auto *text =
                reinterpret_cast<const char *>(sqlite3_column_text(rows.handle(), 1));
            decodeUtf8({text, size_t(sqlite3_column_bytes(rows.handle(), 1))}, characters);
            for (const char32_t c : characters) {
                std::vector<qint64> &list = records[c];
                if (list.empty() || list.back() != rowid)
                    list.push_back(rowid);
            }
        }
        if (rc != SQLITE_DONE)
            return failure(db, table + u'.' + column);

        QString error;
        if (!bindNames(remove, table, column, &error) || !bindNames(insert, table, column, &error))
            return QStringLiteral("%1.%2: %3").arg(table, column, error);
        rc = sqlite3_step(remove.handle());
        sqlite3_reset(remove.handle());
        if (rc != SQLITE_DONE)
            return failure(db, table + u'.' + column);
        for (const auto &[character, rowids] : records) {
            const std::string bytes = encodeRecords(rowids);
            sqlite3_bind_int64(insert.handle(), 3, character);
            sqlite3_bind_blob(insert.handle(), 4, bytes.data(), int(bytes.size()), SQLITE_STATIC);
            rc = sqlite3_step(insert.handle());
            sqlite3_reset(insert.handle());
            if (rc != SQLITE_DONE)
                return failure(db, table + u'.' + column);
        }
    }
    return {};
}

bool CharacterIndex::covers(const QString &table, const QString &column)
{
    const std::pair key(table, column);
    if (const auto found = m_covered.find(key); found != m_covered.end())
        return found->second;
    // A file without the index table fails to prepare: it covers nothing.
    Statement probe = Statement::prepare(
        m_db, QStringLiteral("SELECT 1 FROM jet_character_index WHERE table_name = ?1"
                             " AND column_name = ?2 LIMIT 1"));
    bool covered = false;
    QString error;
    if (!probe.isNull() && bindNames(probe, table, column, &error))
        covered = sqlite3_step(probe.handle()) == SQLITE_ROW;
    m_covered.emplace(key, covered);
    return covered;
}

Result<std::vector<qint64>> CharacterIndex::candidates(const QString &table, const QString &column,
                                                       std::u32string_view characters) const
{
    using Candidates = Result<std::vector<qint64>>;
    Statement lookup = Statement::prepare(
        m_db, QStringLiteral("SELECT records FROM jet_character_index WHERE table_name = ?1"
                             " AND column_name = ?2 AND character = ?3"));
    if (lookup.isNull())
        return Candidates::failure(failure(m_db, QStringLiteral("jet_character_index")));
    if (QString error; !bindNames(lookup, table, column, &error))
        return Candidates::failure(error);

    std::vector<std::vector<qint64>> lists;
    for (const char32_t c : characters) {
        sqlite3_bind_int64(lookup.handle(), 3, c);
        const int rc = sqlite3_step(lookup.handle());
        if (rc == SQLITE_DONE) // no record holds the character
            return std::vector<qint64>();
        if (rc != SQLITE_ROW)
            return Candidates::failure(failure(m_db, QStringLiteral("jet_character_index")));
        std::vector<qint64> &list = lists.emplace_back();
        const auto *bytes =
            static_cast<const unsigned char *>(sqlite3_column_blob(lookup.handle(), 0));
        if (!decodeRecords(bytes, sqlite3_column_bytes(lookup.handle(), 0), list))
            return Candidates::failure(
                QStringLiteral("jet_character_index: %1.%2 的記錄清單已損壞").arg(table, column));
        sqlite3_reset(lookup.handle());
    }
    if (lists.empty())
        return std::vector<qint64>();
    // The shortest list first: each intersection is then at most that long.
    std::sort(lists.begin(), lists.end(),
              [](const auto &a, const auto &b) { return a.size() < b.size(); });
    std::vector<qint64> result = std::move(lists.front());
    std::vector<qint64> common;
    for (size_t i = 1; i < lists.size() && !result.empty(); ++i) {
        common.clear();
        std::set_intersection(result.begin(), result.end(), lists[i].begin(), lists[i].end(),
                              std::back_inserter(common));
        result.swap(common);
    }
    return result;
}

} // namespace jet

#pragma once

#include "platform/jet/result.h"

#include <QString>
#include <QStringList>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct sqlite3;

namespace jet
{

// A character index of text columns: for each character, the records whose column holds
// it. A LIKE whose pattern holds literal characters then reads only the records that hold
// all of them instead of every record of the table. The index is one table of the file,
//   jet_character_index(table_name, column_name, character, records)
// with one row per table, column and character (a code point); `records` lists the rowids
// in ascending order, each as the variable-length distance from the one before.

// Writes the index of the columns of the table, replacing what the file held of them; the
// table's rows must be written first. An empty text on success, else what failed.
QString writeCharacterIndex(sqlite3 *db, const QString &table, const QStringList &columns);

// Reads the index of an open file. A file without one (written before there was an index)
// covers no column.
class CharacterIndex
{
public:
    explicit CharacterIndex(sqlite3 *db) : m_db(db) {}

    // True when the file holds the index of the column; names as the writer was given them.
    bool covers(const QString &table, const QString &column);
    // The rowids, ascending, of the records whose column holds every one of the characters
    // (at least one).
    Result<std::vector<qint64>> candidates(const QString &table, const QString &column,
                                           std::u32string_view characters) const;

private:
    sqlite3 *m_db;                                         // Not owned.
    std::map<std::pair<QString, QString>, bool> m_covered; // (table, column) -> indexed
};

} // namespace jet

#pragma once

#include "platform/jet/database.h"
#include "platform/jet/table.h"
#include "vbprog/murvel/core/formula.h"
#include "vbprog/murvel/core/missingcharacterlog.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace tallyq
{

// The key under which index 構字式 of 檢字表 holds a log entry's formula; none for an entry
// without an operator symbol (U+F6A3..U+F6B0), which is never sought. When the first
// operator symbol is the bracket U+F6AE the entry is a bracketed formula (kind 4) whose
// components are the entry less its first and last characters, wherever the bracket
// stands; otherwise the last of U+F6A4 (1), U+F6A3 (2) and U+F6A5 (3) sets the kind
// (default 5) and every other character is a component.
std::optional<FormulaKey> entryKey(const QString &entry);

// The formulas that murvel.mdb holds, sought through index 構字式 of table 檢字表.
class GlyphFormulas
{
public:
    // False, with errorString(), when the database, the table or the index is missing.
    bool open(const QString &databasePath);
    bool FormulaInDatabase(const QString &entry);
    QString errorString() const { return m_error; }

private:
    jet::Database m_database;
    jet::Table m_glyphs;
    QString m_error;
};

// The number of entries of the log; nothing when the file cannot be read (the reason is
// then in the log's errorString). A missing file holds none.
std::optional<int> CountLogEntries(MissingCharacterLog &log);

// Removes from the log every entry whose formula inDatabase finds. The log is read, every
// entry looked up, and the file rewritten without the entries found, keeping those another
// program logged meanwhile; when none is found the file is not touched. Gives the number
// of entries the log holds afterwards; nothing when the log could not be read or written
// (the reason is then in the log's errorString).
std::optional<int> PruneLog(MissingCharacterLog &log,
                            const std::function<bool(const QString &)> &inDatabase);

} // namespace tallyq

#pragma once

#include <QVariant>
#include <QtGlobal>
#include <memory>
#include <vector>

struct sqlite3_stmt;

namespace jet
{

// One row read from a statement, held in one block: its fields as SQLite gave them
// (integers, floats, UTF-8 texts, blobs), turned into a QVariant only when a field is read.
// Readers look at a few of a record's many fields, and a QVariant with a text of its own for
// every field made the copy cost more than the query.
class RowBlock
{
public:
    // One field of the statement's current row, its text or blob still SQLite's.
    struct ReadField;

    // The columns first .. first + count - 1 of the statement's current row; `scratch` is
    // space kept between rows.
    RowBlock(sqlite3_stmt *statement, int first, int count, std::vector<ReadField> &scratch);

    // Field `column` (0-based among the columns read): a null QVariant for Null, qint64,
    // double, QString or QByteArray otherwise.
    QVariant value(qsizetype column) const;

private:
    std::unique_ptr<char[]> m_block; // the cells, then the bytes of the texts and blobs
    const char *m_bytes = nullptr;   // in m_block, after the cells
};

struct RowBlock::ReadField {
    int type;         // SQLITE_INTEGER ... SQLITE_NULL
    qint32 size;      // bytes of a text or blob
    qint64 value;     // an integer, a float's bits, or where a text's or blob's bytes start
    const void *data; // a text's or blob's bytes in SQLite's keeping
};

} // namespace jet

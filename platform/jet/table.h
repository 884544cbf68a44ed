#pragma once

#include "platform/jet/result.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <memory>
#include <optional>

namespace jet
{

class Connection;

// A saved position of a table cursor: the record it names, whatever the current index.
struct Bookmark {
    qint64 rowid = 0;
    friend bool operator==(const Bookmark &, const Bookmark &) = default;
};

// A cursor over one table, moved along the current index or, with none set, in row order.
// The order of an index is its key fields in binary (code point) order, Null first, ties in
// row order. Opening leaves the first record in row order current.
//
// Table is a handle: copies share one cursor, so a handle that is made to refer to another
// one sees and moves that cursor's current record and index. The cursor keeps its database
// file open until it is closed or its last handle is gone. A default-constructed handle is
// closed; on a closed handle every move and seek fails and every field reads Null.
//
// Failures (an unknown index, a seek without an index, an engine error) return false and
// leave their message in errorString().
class Table
{
public:
    Table() = default;
    static Result<Table> open(std::shared_ptr<Connection> connection, const QString &name);

    bool isOpen() const;
    QString name() const;
    QStringList fieldNames() const;

    // The index name is matched without regard to case. The current record stays current.
    bool setIndex(const QString &index);
    // The name of the current index; empty while the order is row order.
    QString index() const;

    // Seek "=": makes the first record in index order whose leading key fields equal the
    // values current (one value per key field, at most as many as the index has). On a
    // miss noMatch() is true and there is no current record. Integers compare as
    // integers, text as text; text that SQL cannot hold (isSqlSafeText) is a miss.
    // Returns true on a match; false also when the engine fails, which failed() tells
    // apart from a miss.
    bool seek(const QVariantList &key);
    bool seek(const QVariant &key) { return seek(QVariantList{key}); }
    bool seek(const QVariant &first, const QVariant &second)
    {
        return seek(QVariantList{first, second});
    }
    bool noMatch() const;
    // True when the last operation failed (an engine error such as a damaged file, a bad
    // index name, a closed table); errorString() says why.
    bool failed() const;

    void moveFirst();
    // Past the last record eof() becomes true; at eof() the move does nothing.
    void moveNext();
    void moveLast();
    // True while there is no current record: past the end, after a missed seek, or in an
    // empty table.
    bool eof() const;

    // The current record's bookmark; none without a current record.
    std::optional<Bookmark> bookmark() const;
    // Makes the bookmarked record current; false when the table no longer holds it.
    bool setBookmark(Bookmark bookmark);

    // A field of the current record, by name without regard to case; a null QVariant for
    // Null and when there is no current record. An unknown name reads Null and is logged.
    QVariant value(const QString &field) const;

    QString errorString() const;
    // Closes the cursor for every handle that shares it.
    void close();

private:
    class Cursor;
    explicit Table(std::shared_ptr<Cursor> cursor);
    Cursor *openCursor() const;

    std::shared_ptr<Cursor> d; // Shared by every copy of this handle.
};

} // namespace jet

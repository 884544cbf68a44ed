#pragma once

#include "platform/jet/result.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace jet
{

class Connection;

// The result of one read-only SQL statement, read in full when it is opened: a static copy
// that stays readable after its database closes. Opening leaves the first row current.
//
// Snapshot is a handle: copies share one result and one current row. A default-constructed
// handle is closed and behaves as an empty result.
class Snapshot
{
public:
    Snapshot() = default;
    // Refuses a statement that could write, more than one statement, and every SQL error,
    // with SQLite's message.
    static Result<Snapshot> open(Connection &connection, const QString &sql);

    bool isOpen() const { return bool(d); }
    qsizetype recordCount() const;
    QStringList fieldNames() const;

    void moveFirst();
    // Past the last row eof() becomes true; at eof() the move does nothing.
    void moveNext();
    void moveLast();
    bool eof() const;

    // A field of the current row by name, without regard to case, or by 0-based position;
    // a null QVariant for Null and when there is no current row. An unknown name or a
    // position out of range reads Null and is logged.
    QVariant value(const QString &field) const;
    QVariant value(qsizetype position) const;

    void close() { d.reset(); }

private:
    struct Data;
    std::shared_ptr<Data> d; // Shared by every copy of this handle.
};

} // namespace jet

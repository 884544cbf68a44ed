#pragma once

#include "platform/jet/result.h"
#include "platform/jet/snapshot.h"
#include "platform/jet/table.h"

#include <QString>
#include <memory>

namespace jet
{

class Connection;

// A glyph database file: an SQLite file opened read-only, whose SQL understands Jet's LIKE
// and First(). Copies of a handle share the open file; tables opened on it share it too,
// so the file stays open until the last handle and table are closed or gone. A snapshot
// is a copy of its result and needs the file no longer.
class Database
{
public:
    Database() = default;
    // Refuses a missing file and one that is not an SQLite database, with a message that
    // names the file.
    static Result<Database> open(const QString &fileName);

    bool isOpen() const { return bool(m_connection); }
    QString fileName() const;
    // Lets go of this handle's share of the file.
    void close() { m_connection.reset(); }

    // Table names are matched without regard to case.
    Result<Table> openTable(const QString &name) const;
    // Runs one read-only SQL statement, in the Jet dialect of the program's SQL texts.
    Result<Snapshot> openSnapshot(const QString &sql) const;

private:
    std::shared_ptr<Connection> m_connection; // Shared with copies and with open tables.
};

} // namespace jet

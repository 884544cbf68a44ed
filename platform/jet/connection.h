#pragma once

#include "platform/jet/characterindex.h"
#include "platform/jet/result.h"
#include "platform/jet/statement.h"

#include <QString>
#include <memory>
#include <unordered_map>

struct sqlite3;

namespace jet
{

// One open SQLite file, read-only, with the Jet SQL functions registered. Shared by the
// Database handles, tables and snapshots that use it: the file closes when the last of
// them lets go, so none of them can outlive its connection.
class Connection
{
public:
    static Result<std::shared_ptr<Connection>> open(const QString &fileName);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    const QString &fileName() const { return m_fileName; }
    sqlite3 *handle() const { return m_db; }
    QString errorMessage() const;

    // A statement prepared the first time its text is asked for and kept until the
    // connection closes. Its users run it to completion or reset it before returning, so
    // one cached statement serves every cursor on the file. Nullptr, with *error set, when
    // the text does not prepare.
    Statement *cachedStatement(const QString &sql, QString *error);
    // A statement owned by the caller; null, with *error set, when the text does not
    // prepare or holds more than one statement.
    Statement prepare(const QString &sql, QString *error) const;
    // The same for a query whose answer is read whole: its LIKE terms are answered through
    // the file's character index where they can be (WithCharacterIndex), which gives the
    // same rows in the same order.
    Statement prepareQuery(const QString &sql, QString *error);

private:
    Connection(sqlite3 *db, QString fileName);

    sqlite3 *m_db; // Owned.
    QString m_fileName;
    CharacterIndex m_characterIndex;
    std::unordered_map<QString, Statement> m_statements;
};

} // namespace jet

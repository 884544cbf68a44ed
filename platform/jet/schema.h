#pragma once

#include "platform/jet/result.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace jet
{

class Connection;

// What a table cursor needs to know of a table and its indexes, read from the file.
// Index <index> of table <table> is the SQLite index named "<table>.<index>".
struct TableSchema {
    QString name; // as stored
    QStringList fields;
};

struct IndexSchema {
    QString name; // the part after "<table>.", as stored
    QStringList keyFields;
};

// Table names match without regard to case.
Result<TableSchema> readTableSchema(Connection &connection, const QString &table);
// Index names match without regard to case.
Result<IndexSchema> readIndexSchema(Connection &connection, const TableSchema &table,
                                    const QString &index);

} // namespace jet

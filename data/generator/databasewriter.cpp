#include "data/generator/databasewriter.h"

#include "platform/jet/characterindex.h"

#include <QFile>
#include <memory>
#include <sqlite3.h>

namespace
{

struct DatabaseCloser {
    void operator()(sqlite3 *db) const { sqlite3_close(db); }
};
struct StatementFinalizer {
    void operator()(sqlite3_stmt *statement) const { sqlite3_finalize(statement); }
};
using DatabaseHandle = std::unique_ptr<sqlite3, DatabaseCloser>;
using StatementHandle = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

QString lastError(sqlite3 *db)
{
    return QString::fromUtf8(sqlite3_errmsg(db));
}

QString execute(sqlite3 *db, const QString &sql)
{
    char *message = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message) == SQLITE_OK)
        return {};
    const QString error = QStringLiteral("%1: %2").arg(sql, QString::fromUtf8(message));
    sqlite3_free(message);
    return error;
}

void bindValue(sqlite3_stmt *statement, int position, const TableCells &cells, int row, int column,
               FieldType type)
{
    if (cells.isNull(row, column)) {
        sqlite3_bind_null(statement, position);
    } else if (type == FieldType::Text) {
        const QByteArray text = cells.textView(row, column).toUtf8();
        sqlite3_bind_text(statement, position, text.constData(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
    } else {
        sqlite3_bind_int64(statement, position, cells.value(row, column).toLongLong());
    }
}

QString insertRows(sqlite3 *db, const TableData &table)
{
    QStringList placeholders;
    for (qsizetype i = 0; i < table.def->fields.size(); ++i)
        placeholders << QStringLiteral("?");
    const QByteArray sql = QStringLiteral("INSERT INTO \"%1\" VALUES (%2)")
                               .arg(table.def->name, placeholders.join(", "))
                               .toUtf8();
    sqlite3_stmt *raw = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &raw, nullptr) != SQLITE_OK)
        return lastError(db);
    const StatementHandle statement(raw);
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int column = 0; column < int(table.def->fields.size()); ++column)
            bindValue(raw, column + 1, table.cells, row, column, table.def->fields[column].type);
        if (sqlite3_step(raw) != SQLITE_DONE)
            return lastError(db);
        sqlite3_reset(raw);
    }
    return {};
}

} // namespace

QString WriteDatabase(const DatabaseData &database, const QString &path)
{
    QFile::remove(path);
    sqlite3 *raw = nullptr;
    const int opened = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    const DatabaseHandle db(raw);
    if (opened != SQLITE_OK)
        return QStringLiteral("cannot create %1: %2").arg(path, raw ? lastError(raw) : QString());
    QString error = execute(raw, "BEGIN");
    for (const TableData &table : database.tables) {
        if (error.isEmpty())
            error = execute(raw, CreateTableSql(*table.def));
        if (error.isEmpty())
            error = insertRows(raw, table);
        if (error.isEmpty() && !table.def->characterIndexed.isEmpty())
            error = jet::writeCharacterIndex(raw, table.def->name, table.def->characterIndexed);
        for (const IndexDef &index : table.def->indexes) {
            if (error.isEmpty())
                error = execute(raw, CreateIndexSql(*table.def, index));
        }
    }
    if (error.isEmpty())
        error = execute(raw, StampSchemaVersionSql());
    if (error.isEmpty())
        error = execute(raw, "COMMIT");
    return error;
}

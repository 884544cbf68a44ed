#include "platform/jet/schema.h"

#include "platform/jet/connection.h"

#include <functional>
#include <sqlite3.h>

namespace jet
{

namespace
{

// Runs a query with one optional text parameter and hands each row to the visitor.
// Returns an empty string or SQLite's message.
QString forEachRow(Connection &connection, const QString &sql, const QString &parameter,
                   const std::function<void(const Statement &)> &visit)
{
    QString error;
    Statement statement = connection.prepare(sql, &error);
    if (statement.isNull())
        return error;
    if (!parameter.isNull() && !statement.bind(1, parameter, &error))
        return error;
    int rc;
    while ((rc = sqlite3_step(statement.handle())) == SQLITE_ROW)
        visit(statement);
    return rc == SQLITE_DONE ? QString() : connection.errorMessage();
}

} // namespace

Result<TableSchema> readTableSchema(Connection &connection, const QString &table)
{
    TableSchema schema;
    // Compared here rather than in SQL: SQLite folds the case of ASCII letters only.
    QString error = forEachRow(
        connection, QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table'"),
        QString(), [&](const Statement &row) {
            const QString name = row.value(0).toString();
            if (schema.name.isEmpty() && name.compare(table, Qt::CaseInsensitive) == 0)
                schema.name = name;
        });
    if (!error.isEmpty())
        return Result<TableSchema>::failure(error);
    if (schema.name.isEmpty())
        return Result<TableSchema>::failure(
            QStringLiteral("資料庫 %2 中找不到資料表 %1").arg(table, connection.fileName()));
    error = forEachRow(
        connection, QStringLiteral("SELECT name FROM pragma_table_info(?1) ORDER BY cid"),
        schema.name, [&](const Statement &row) { schema.fields.append(row.value(0).toString()); });
    if (!error.isEmpty())
        return Result<TableSchema>::failure(error);
    return schema;
}

Result<IndexSchema> readIndexSchema(Connection &connection, const TableSchema &table,
                                    const QString &index)
{
    const QString wanted = table.name + u'.' + index;
    QString storedName;
    QString error =
        forEachRow(connection, QStringLiteral("SELECT name FROM pragma_index_list(?1)"), table.name,
                   [&](const Statement &row) {
                       const QString name = row.value(0).toString();
                       if (storedName.isEmpty() && name.compare(wanted, Qt::CaseInsensitive) == 0)
                           storedName = name;
                   });
    if (!error.isEmpty())
        return Result<IndexSchema>::failure(error);
    if (storedName.isEmpty())
        return Result<IndexSchema>::failure(
            QStringLiteral("%1 不是資料表 %2 的索引").arg(index, table.name));

    IndexSchema schema{storedName.sliced(table.name.size() + 1), {}};
    bool hasExpression = false;
    error = forEachRow(connection,
                       QStringLiteral("SELECT name FROM pragma_index_info(?1) ORDER BY seqno"),
                       storedName, [&](const Statement &row) {
                           const QVariant name = row.value(0);
                           hasExpression = hasExpression || name.isNull();
                           schema.keyFields.append(name.toString());
                       });
    if (!error.isEmpty())
        return Result<IndexSchema>::failure(error);
    if (hasExpression || schema.keyFields.isEmpty())
        return Result<IndexSchema>::failure(
            QStringLiteral("資料表 %2 的索引 %1 沒有一般的鍵欄位").arg(index, table.name));
    return schema;
}

} // namespace jet

#include "platform/jet/database.h"

#include "platform/jet/connection.h"

namespace jet
{

Result<Database> Database::open(const QString &fileName)
{
    Result<std::shared_ptr<Connection>> connection = Connection::open(fileName);
    if (!connection)
        return Result<Database>::failure(connection.errorString());
    Database database;
    database.m_connection = std::move(connection).value();
    return database;
}

QString Database::fileName() const
{
    return m_connection ? m_connection->fileName() : QString();
}

Result<Table> Database::openTable(const QString &name) const
{
    return Table::open(m_connection, name);
}

Result<Snapshot> Database::openSnapshot(const QString &sql) const
{
    if (!m_connection)
        return Result<Snapshot>::failure(QStringLiteral("資料庫已關閉"));
    return Snapshot::open(*m_connection, sql);
}

} // namespace jet

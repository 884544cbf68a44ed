#include "platform/jet/snapshot.h"

#include "platform/jet/connection.h"
#include "platform/jet/fieldnames.h"
#include "platform/jet/logging.h"
#include "platform/jet/rowblock.h"

#include <memory>
#include <sqlite3.h>
#include <vector>

namespace jet
{

struct Snapshot::Data {
    FieldNames fields;
    std::vector<RowBlock> rows;
    qsizetype position = 0; // == rows.size() at the end
};

Result<Snapshot> Snapshot::open(Connection &connection, const QString &sql)
{
    QString error;
    Statement statement = connection.prepareQuery(sql, &error);
    if (statement.isNull())
        return Result<Snapshot>::failure(error);
    if (!sqlite3_stmt_readonly(statement.handle()))
        return Result<Snapshot>::failure(
            QStringLiteral("只有讀取資料的陳述式能開成快照：%1").arg(sql));

    auto data = std::make_shared<Data>();
    QStringList names;
    for (int i = 0; i < statement.columnCount(); ++i)
        names.append(statement.columnName(i));
    data->fields = FieldNames(names);
    std::vector<RowBlock::ReadField> scratch;
    int rc;
    while ((rc = sqlite3_step(statement.handle())) == SQLITE_ROW)
        data->rows.emplace_back(statement.handle(), 0, int(names.size()), scratch);
    if (rc != SQLITE_DONE)
        return Result<Snapshot>::failure(connection.errorMessage());
    Snapshot snapshot;
    snapshot.d = std::move(data);
    return snapshot;
}

qsizetype Snapshot::recordCount() const
{
    return d ? qsizetype(d->rows.size()) : 0;
}

QStringList Snapshot::fieldNames() const
{
    return d ? d->fields.names() : QStringList();
}

void Snapshot::moveFirst()
{
    if (d)
        d->position = 0;
}

void Snapshot::moveNext()
{
    if (eof()) {
        qCWarning(lcJet) << "moveNext at the end of a snapshot";
        return;
    }
    ++d->position;
}

void Snapshot::moveLast()
{
    if (d)
        d->position = qMax<qsizetype>(0, qsizetype(d->rows.size()) - 1);
}

bool Snapshot::eof() const
{
    return !d || d->position >= qsizetype(d->rows.size());
}

QVariant Snapshot::value(const QString &field) const
{
    const qsizetype position = d ? d->fields.indexOf(field) : -1;
    if (position < 0) {
        qCWarning(lcJet) << "snapshot has no field" << field;
        return {};
    }
    return value(position);
}

QVariant Snapshot::value(qsizetype position) const
{
    if (!d || position < 0 || position >= d->fields.count()) {
        qCWarning(lcJet) << "snapshot has no field at position" << position;
        return {};
    }
    return eof() ? QVariant() : d->rows[size_t(d->position)].value(position);
}

} // namespace jet

#include "platform/jet/table.h"

#include "platform/jet/connection.h"
#include "platform/jet/fieldnames.h"
#include "platform/jet/keysetsql.h"
#include "platform/jet/logging.h"
#include "platform/jet/quoting.h"
#include "platform/jet/rowblock.h"
#include "platform/jet/schema.h"

#include <QHash>
#include <algorithm>
#include <sqlite3.h>
#include <vector>

namespace jet
{

namespace
{

// Text that SQL cannot hold (a NUL, an unpaired surrogate) is in no record.
bool isSeekableKey(const QVariant &key)
{
    return key.typeId() != QMetaType::QString || isSqlSafeText(key.toString());
}

} // namespace

class Table::Cursor
{
public:
    struct Row {
        qint64 rowid;
        RowBlock values;         // in field order
        QList<StoredValue> keys; // the current index's key fields, as stored
    };

    // An order of the rows: an index's, or row order.
    struct Order {
        std::optional<IndexSchema> index; // none: row order
        QList<qsizetype> keyPositions;    // of the index's key fields in a row
        KeysetSql keyset;
    };

    Cursor(std::shared_ptr<Connection> openConnection, TableSchema tableSchema)
        : connection(std::move(openConnection)), fields(tableSchema.fields),
          order(std::make_shared<Order>(
              Order{std::nullopt, {}, KeysetSql(tableSchema.name, QStringList())})),
          schema(std::move(tableSchema))
    {
    }

    const KeysetSql &keyset() const { return order->keyset; }

    // The order of the index, read from the file the first time it is asked for: the file
    // is read-only, so its indexes stay as they are, and a lookup switches indexes several
    // times. Null, with the message in error, when the table has no such index.
    std::shared_ptr<const Order> indexOrder(const QString &indexName)
    {
        if (const auto known = indexOrders.constFind(indexName); known != indexOrders.cend())
            return *known;
        Result<IndexSchema> index = readIndexSchema(*connection, schema, indexName);
        if (!index) {
            error = index.errorString();
            return nullptr;
        }
        auto made = std::make_shared<Order>();
        for (const QString &key : index->keyFields)
            made->keyPositions.append(fields.indexOf(key));
        made->keyset = KeysetSql(schema.name, index->keyFields);
        made->index = std::move(index).value();
        indexOrders.insert(indexName, made);
        return made;
    }

    // Runs one of the keyset texts with the stored values bound first, then the others.
    // Returns false, with the message in error, when the engine fails; otherwise *row is
    // the row read or none.
    bool fetch(const QString &sql, const QList<StoredValue> &stored, const QVariantList &parameters,
               std::optional<Row> *row)
    {
        row->reset();
        Statement *statement = connection->cachedStatement(sql, &error);
        if (!statement)
            return false;
        int parameter = 1;
        bool bound = true;
        for (const StoredValue &value : stored)
            bound = bound && statement->bind(parameter++, value, &error);
        for (const QVariant &value : parameters)
            bound = bound && statement->bind(parameter++, value, &error);
        const int rc = bound ? sqlite3_step(statement->handle()) : SQLITE_MISUSE;
        if (rc == SQLITE_ROW) {
            sqlite3_stmt *handle = statement->handle();
            Row read{sqlite3_column_int64(handle, 0),
                     RowBlock(handle, 1, int(fields.count()), scratch),
                     {}};
            for (qsizetype position : order->keyPositions)
                read.keys.append(statement->storedValue(int(position + 1)));
            *row = std::move(read);
        } else if (bound && rc != SQLITE_DONE) {
            error = connection->errorMessage();
        }
        statement->reset();
        return rc == SQLITE_ROW || rc == SQLITE_DONE;
    }

    // Makes the row that the text finds current, or none.
    void moveTo(const QString &sql, const QVariantList &parameters = {})
    {
        std::optional<Row> row;
        fetch(sql, {}, parameters, &row);
        current = std::move(row);
    }

    // The keyset step: the next row among equal keys, else the next greater key at ever
    // fewer leading keys. The keys are bound as stored, so that text which is not valid
    // UTF-8 compares as the index orders it.
    void moveNext()
    {
        const QList<StoredValue> keys = current->keys;
        const qsizetype keyCount = keys.size();
        for (qsizetype equal = keyCount; equal >= 0; --equal) {
            QList<StoredValue> stored = keys.mid(0, equal);
            QVariantList parameters;
            const bool nextIsNull = equal < keyCount && keys[equal].isNull();
            if (equal == keyCount)
                parameters.append(current->rowid);
            else if (!nextIsNull)
                stored.append(keys[equal]);
            std::optional<Row> row;
            if (!fetch(keyset().next(equal, nextIsNull), stored, parameters, &row) || row) {
                current = std::move(row);
                return;
            }
        }
        current.reset();
    }

    std::shared_ptr<Connection> connection; // Shared; null once the cursor is closed.
    FieldNames fields;
    std::shared_ptr<const Order> order;                       // never null
    QHash<QString, std::shared_ptr<const Order>> indexOrders; // by the index name asked for
    TableSchema schema;
    std::optional<Row> current;
    std::vector<RowBlock::ReadField> scratch; // of fetch, kept between rows
    bool noMatch = false;
    QString error;
};

Table::Table(std::shared_ptr<Cursor> cursor) : d(std::move(cursor))
{
}

Result<Table> Table::open(std::shared_ptr<Connection> connection, const QString &name)
{
    if (!connection)
        return Result<Table>::failure(QStringLiteral("無法開啟資料表 %1：資料庫已關閉").arg(name));
    Result<TableSchema> schema = readTableSchema(*connection, name);
    if (!schema)
        return Result<Table>::failure(schema.errorString());
    auto cursor = std::make_shared<Cursor>(std::move(connection), std::move(schema).value());
    cursor->moveTo(cursor->keyset().first());
    if (!cursor->error.isEmpty())
        return Result<Table>::failure(cursor->error);
    return Table(std::move(cursor));
}

Table::Cursor *Table::openCursor() const
{
    if (!isOpen()) {
        qCWarning(lcJet) << "operation on a closed table" << name();
        if (d)
            d->error = QStringLiteral("資料表 %1 已關閉").arg(name());
        return nullptr;
    }
    d->error.clear();
    return d.get();
}

bool Table::isOpen() const
{
    return d && d->connection;
}

QString Table::name() const
{
    return d ? d->schema.name : QString();
}

QStringList Table::fieldNames() const
{
    return d ? d->fields.names() : QStringList();
}

bool Table::setIndex(const QString &indexName)
{
    Cursor *cursor = openCursor();
    if (!cursor)
        return false;
    std::shared_ptr<const Cursor::Order> order = cursor->indexOrder(indexName);
    if (!order)
        return false;
    cursor->order = std::move(order);
    // The current record stays current, with the keys of the new index.
    if (cursor->current)
        cursor->moveTo(cursor->keyset().atRowid(), {cursor->current->rowid});
    return cursor->error.isEmpty();
}

QString Table::index() const
{
    return d && d->order->index ? d->order->index->name : QString();
}

bool Table::seek(const QVariantList &key)
{
    Cursor *cursor = openCursor();
    if (!cursor)
        return false;
    const Cursor::Order &order = *cursor->order;
    if (!order.index)
        cursor->error = QStringLiteral("資料表 %1 沒有目前索引，無法搜尋").arg(name());
    else if (key.isEmpty() || key.size() > order.keyset.keyCount())
        cursor->error = QStringLiteral("資料表 %2 的索引 %1 有 %3 個鍵欄位，不是 %4 個")
                            .arg(order.index->name, name())
                            .arg(order.keyset.keyCount())
                            .arg(key.size());
    else if (std::all_of(key.begin(), key.end(), isSeekableKey))
        cursor->moveTo(order.keyset.seek(key.size()), key);
    else
        cursor->current.reset(); // no record holds such text
    if (!cursor->error.isEmpty())
        cursor->current.reset();
    cursor->noMatch = !cursor->current;
    return !cursor->noMatch;
}

bool Table::noMatch() const
{
    return d && d->noMatch;
}

bool Table::failed() const
{
    return !d || !d->error.isEmpty();
}

void Table::moveFirst()
{
    if (Cursor *cursor = openCursor())
        cursor->moveTo(cursor->keyset().first());
}

void Table::moveNext()
{
    Cursor *cursor = openCursor();
    if (!cursor)
        return;
    if (!cursor->current) {
        qCWarning(lcJet) << "moveNext without a current record in table" << name();
        return;
    }
    cursor->moveNext();
}

void Table::moveLast()
{
    if (Cursor *cursor = openCursor())
        cursor->moveTo(cursor->keyset().last());
}

bool Table::eof() const
{
    return !isOpen() || !d->current;
}

std::optional<Bookmark> Table::bookmark() const
{
    if (eof())
        return std::nullopt;
    return Bookmark{d->current->rowid};
}

bool Table::setBookmark(Bookmark bookmark)
{
    Cursor *cursor = openCursor();
    if (!cursor)
        return false;
    std::optional<Cursor::Row> row;
    if (!cursor->fetch(cursor->keyset().atRowid(), {}, {bookmark.rowid}, &row))
        return false;
    if (!row) {
        cursor->error = QStringLiteral("這不是資料表 %1 的有效書籤").arg(name());
        return false;
    }
    cursor->current = std::move(row);
    return true;
}

QVariant Table::value(const QString &field) const
{
    if (!d)
        return {};
    const qsizetype position = d->fields.indexOf(field);
    if (position < 0) {
        qCWarning(lcJet) << "table" << name() << "has no field" << field;
        return {};
    }
    return eof() ? QVariant() : d->current->values.value(position);
}

QString Table::errorString() const
{
    if (!d)
        return QStringLiteral("資料表未開啟");
    return d->error;
}

void Table::close()
{
    if (!d)
        return;
    d->current.reset();
    d->connection.reset();
}

} // namespace jet

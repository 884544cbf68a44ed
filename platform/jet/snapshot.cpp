#include "platform/jet/snapshot.h"

#include "platform/jet/connection.h"
#include "platform/jet/fieldnames.h"
#include "platform/jet/logging.h"

#include <bit>
#include <cstring>
#include <memory>
#include <sqlite3.h>
#include <vector>

namespace jet
{

namespace
{

// One field of one row as SQLite gave it.
struct Cell {
    int type;     // SQLITE_INTEGER ... SQLITE_NULL
    qint32 size;  // bytes of a text or blob
    qint64 value; // an integer, a float's bits, or where a text's or blob's bytes start
};

// A field read from the statement, its text or blob still SQLite's.
struct ReadField {
    Cell cell;
    const void *data = nullptr;
};

// One row in one block: its cells, then the bytes of its texts and blobs. Fields become
// QVariants only when they are read: a large answer is read whole, but its readers look at
// a few of its fields, and a QVariant with a text of its own for every field made the copy
// cost more than the query.
class Row
{
public:
    // The current row of the statement; `fields` is scratch space kept between rows.
    Row(sqlite3_stmt *statement, int columns, std::vector<ReadField> &fields)
    {
        fields.clear();
        qint64 bytes = 0;
        for (int i = 0; i < columns; ++i) {
            ReadField field{{sqlite3_column_type(statement, i), 0, 0}};
            Cell &cell = field.cell;
            if (cell.type == SQLITE_INTEGER) {
                cell.value = sqlite3_column_int64(statement, i);
            } else if (cell.type == SQLITE_FLOAT) {
                cell.value = std::bit_cast<qint64>(sqlite3_column_double(statement, i));
            } else if (cell.type == SQLITE_TEXT || cell.type == SQLITE_BLOB) {
                // The size is asked after the value, as SQLite requires.
                field.data = cell.type == SQLITE_TEXT
                                 ? static_cast<const void *>(sqlite3_column_text(statement, i))
                                 : sqlite3_column_blob(statement, i);
                cell.size = sqlite3_column_bytes(statement, i);
                cell.value = bytes;
                bytes += cell.size;
            }
            fields.push_back(field);
        }
        const size_t header = fields.size() * sizeof(Cell);
        m_block = std::make_unique<char[]>(header + size_t(bytes));
        m_bytes = m_block.get() + header;
        for (size_t i = 0; i < fields.size(); ++i) {
            const Cell &cell = fields[i].cell;
            std::memcpy(m_block.get() + i * sizeof(Cell), &cell, sizeof(Cell));
            if (fields[i].data != nullptr)
                std::memcpy(m_bytes + cell.value, fields[i].data, size_t(cell.size));
        }
    }

    QVariant value(qsizetype column) const
    {
        Cell cell;
        std::memcpy(&cell, m_block.get() + column * qsizetype(sizeof(Cell)), sizeof(Cell));
        switch (cell.type) {
        case SQLITE_INTEGER:
            return QVariant(cell.value);
        case SQLITE_FLOAT:
            return QVariant(std::bit_cast<double>(cell.value));
        case SQLITE_TEXT:
            return QVariant(QString::fromUtf8(m_bytes + cell.value, cell.size));
        case SQLITE_BLOB:
            return QVariant(QByteArray(m_bytes + cell.value, cell.size));
        default:
            return QVariant();
        }
    }

private:
    std::unique_ptr<char[]> m_block;
    char *m_bytes; // in m_block, after the cells
};

} // namespace

struct Snapshot::Data {
    FieldNames fields;
    std::vector<Row> rows;
    qsizetype position = 0; // == rows.size() at the end
};

Result<Snapshot> Snapshot::open(Connection &connection, const QString &sql)
{
    QString error;
    Statement statement = connection.prepare(sql, &error);
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
    std::vector<ReadField> scratch;
    int rc;
    while ((rc = sqlite3_step(statement.handle())) == SQLITE_ROW)
        data->rows.emplace_back(statement.handle(), int(names.size()), scratch);
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

#include "platform/jet/rowblock.h"

#include <QByteArray>
#include <QString>
#include <bit>
#include <cstring>
#include <sqlite3.h>

namespace jet
{

namespace
{

// A field as the block keeps it.
struct Cell {
    int type;
    qint32 size;
    qint64 value;
};

} // namespace

RowBlock::RowBlock(sqlite3_stmt *statement, int first, int count, std::vector<ReadField> &scratch)
{
    scratch.clear();
    qint64 bytes = 0;
    for (int i = first; i < first + count; ++i) {
        ReadField field{sqlite3_column_type(statement, i), 0, 0, nullptr};
        if (field.type == SQLITE_INTEGER) {
            field.value = sqlite3_column_int64(statement, i);
        } else if (field.type == SQLITE_FLOAT) {
            field.value = std::bit_cast<qint64>(sqlite3_column_double(statement, i));
        } else if (field.type == SQLITE_TEXT || field.type == SQLITE_BLOB) {
            // The size is asked after the value, as SQLite requires.
            field.data = field.type == SQLITE_TEXT
                             ? static_cast<const void *>(sqlite3_column_text(statement, i))
                             : sqlite3_column_blob(statement, i);
            field.size = sqlite3_column_bytes(statement, i);
            field.value = bytes;
            bytes += field.size;
        }
        scratch.push_back(field);
    }
    const size_t header = scratch.size() * sizeof(Cell);
    m_block = std::make_unique<char[]>(header + size_t(bytes));
    char *bytesStart = m_block.get() + header;
    m_bytes = bytesStart;
    for (size_t i = 0; i < scratch.size(); ++i) {
        const ReadField &field = scratch[i];
        const Cell cell{field.type, field.size, field.value};
        std::memcpy(m_block.get() + i * sizeof(Cell), &cell, sizeof(Cell));
        if (field.data != nullptr)
            std::memcpy(bytesStart + field.value, field.data, size_t(field.size));
    }
}

QVariant RowBlock::value(qsizetype column) const
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

} // namespace jet

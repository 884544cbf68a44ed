#include "data/generator/sourcedata.h"

QString SourceError::text() const
{
    return line > 0 ? QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(message)
                    : QStringLiteral("%1: %2").arg(file, message);
}

QVariant TableData::value(int row, const QString &field) const
{
    const int column = def->fieldIndex(field);
    return column < 0 ? QVariant() : cells.value(row, column);
}

QString TableData::text(int row, const QString &field) const
{
    const int column = def->fieldIndex(field);
    if (column < 0)
        return {};
    if (def->fields[column].type == FieldType::Text)
        return cells.textView(row, column).toString();
    const QVariant v = cells.value(row, column);
    return v.isValid() ? v.toString() : QString();
}

std::optional<qint64> TableData::number(int row, const QString &field) const
{
    const QVariant v = value(row, field);
    if (!v.isValid())
        return std::nullopt;
    return v.toLongLong();
}

void TableData::setValue(int row, const QString &field, const QVariant &v)
{
    const int column = def->fieldIndex(field);
    if (column >= 0)
        cells.setValue(row, column, v);
}

bool TableData::isNull(int row, const QString &field) const
{
    const int column = def->fieldIndex(field);
    return column < 0 || cells.isNull(row, column);
}

SourceError TableData::errorAt(int row, const QString &message) const
{
    return {file, cells.line(row), message};
}

TableData *DatabaseData::table(const QString &name)
{
    for (TableData &t : tables) {
        if (t.def->name == name)
            return &t;
    }
    return nullptr;
}

const TableData *DatabaseData::table(const QString &name) const
{
    return const_cast<DatabaseData *>(this)->table(name);
}

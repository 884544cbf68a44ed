#include "data/generator/tablecells.h"

namespace
{

// A text cell holds where its text starts in the table's buffer and how long it is.
constexpr quint64 textPlace(quint64 offset, quint64 length)
{
    return (offset << 32) | length;
}

} // namespace

void TableCells::reserve(qsizetype rows, qsizetype textUnits)
{
    m_lines.reserve(size_t(rows));
    m_cells.reserve(size_t(rows) * size_t(m_def->fields.size()));
    m_present.reserve(size_t(rows) * size_t(m_def->fields.size()));
    m_texts.reserve(size_t(textUnits));
}

int TableCells::appendRow(int line)
{
    m_lines.push_back(line);
    m_cells.resize(m_cells.size() + size_t(m_def->fields.size()));
    m_present.resize(m_present.size() + size_t(m_def->fields.size()));
    for (std::vector<quint64> &input : m_inputs)
        input.push_back(0);
    return rowCount() - 1;
}

QVariant TableCells::value(int row, int column) const
{
    const size_t cell = cellIndex(row, column);
    if (!m_present[cell])
        return {};
    if (m_def->fields[column].type == FieldType::Integer)
        return qlonglong(m_cells[cell]);
    return textAt(m_cells[cell]).toString();
}

QStringView TableCells::textView(int row, int column) const
{
    const size_t cell = cellIndex(row, column);
    if (!m_present[cell] || m_def->fields[column].type != FieldType::Text)
        return {};
    return textAt(m_cells[cell]);
}

void TableCells::setValue(int row, int column, const QVariant &value)
{
    const size_t cell = cellIndex(row, column);
    m_present[cell] = value.isValid();
    if (!value.isValid())
        return;
    if (m_def->fields[column].type == FieldType::Integer) {
        Q_ASSERT(value.typeId() != QMetaType::QString);
        m_cells[cell] = quint64(value.toLongLong());
    } else {
        Q_ASSERT(value.typeId() == QMetaType::QString);
        m_cells[cell] = storeText(value.toString());
    }
}

QString TableCells::input(int row, const QString &name) const
{
    const qsizetype column = m_inputNames.indexOf(name);
    return column < 0 ? QString() : textAt(m_inputs[size_t(column)][size_t(row)]).toString();
}

void TableCells::setInput(int row, const QString &name, const QString &text)
{
    qsizetype column = m_inputNames.indexOf(name);
    if (column < 0) {
        column = m_inputNames.size();
        m_inputNames.append(name);
        m_inputs.emplace_back(m_lines.size(), 0);
    }
    m_inputs[size_t(column)][size_t(row)] = storeText(text);
}

quint64 TableCells::storeText(QStringView text)
{
    const size_t offset = m_texts.size();
    // A table's text would need four thousand million code units to pass this.
    if (offset + size_t(text.size()) > 0xFFFFFFFFu)
        qFatal("the texts of table %s pass 4 GB", qPrintable(m_def->name));
    m_texts.insert(m_texts.end(), text.utf16(), text.utf16() + text.size());
    return textPlace(offset, quint64(text.size()));
}

QStringView TableCells::textAt(quint64 cell) const
{
    const size_t offset = size_t(cell >> 32);
    const qsizetype length = qsizetype(cell & 0xFFFFFFFFu);
    return length == 0 ? QStringView(u"") : QStringView(m_texts.data() + offset, length);
}

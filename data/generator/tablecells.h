#pragma once

#include "vbprog/murvel/schema/databaseschema.h"

#include <QString>
#include <QStringView>
#include <QVariant>
#include <vector>

// The cells of one table under construction, kept compact: a source has a million rows of
// forty fields, which as a list of QVariant per row took over a kilobyte a row. Every cell is
// one 64-bit word, a number or the place of a text in one buffer of the table, with a flag
// for Null; the generator's input columns of a row are texts in the same buffer.
class TableCells
{
public:
    explicit TableCells(const TableDef &def) : m_def(&def) {}

    int rowCount() const { return int(m_lines.size()); }
    // Room for rows and text read from a source, so that the buffers grow in one step.
    void reserve(qsizetype rows, qsizetype textUnits);
    // Appends a row of Nulls, read from the line of the source file; returns its index.
    int appendRow(int line);
    int line(int row) const { return m_lines[size_t(row)]; }

    // The field at a position of the table: a qlonglong, a QString, or invalid for Null.
    QVariant value(int row, int column) const;
    bool isNull(int row, int column) const { return !m_present[cellIndex(row, column)]; }
    // A text field without a copy; valid until the next write to the table.
    QStringView textView(int row, int column) const;
    // Writes the field, as a number or a text by the field's type; invalid writes Null.
    void setValue(int row, int column, const QVariant &value);

    // The input column of the row (by name with the '@'); empty when the row has none.
    QString input(int row, const QString &name) const;
    void setInput(int row, const QString &name, const QString &text);

private:
    size_t cellIndex(int row, int column) const
    {
        return size_t(row) * size_t(m_def->fields.size()) + size_t(column);
    }
    quint64 storeText(QStringView text);
    QStringView textAt(quint64 cell) const;

    const TableDef *m_def;
    std::vector<int> m_lines;                   // per row, its line of the source file
    std::vector<quint64> m_cells;               // row by row, one per field
    std::vector<bool> m_present;                // per cell; false for Null
    std::vector<char16_t> m_texts;              // every text of the table, one after another
    QStringList m_inputNames;                   // the input columns met so far
    std::vector<std::vector<quint64>> m_inputs; // per input column, a text per row
};

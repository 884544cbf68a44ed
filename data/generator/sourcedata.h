#pragma once

#include "data/generator/tablecells.h"
#include "vbprog/murvel/schema/databaseschema.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

// The records of the databases as read from their sources and completed by the generator.
// A value is a qlonglong for an INTEGER field, a QString for a TEXT field, and an invalid
// QVariant for Null.

// A refusal of a source: the file, the line (0 when the whole file is meant) and what is wrong.
struct SourceError {
    QString file;
    int line = 0;
    QString message;

    QString text() const;
};

struct TableData {
    explicit TableData(const TableDef &definition) : def(&definition), cells(definition) {}

    const TableDef *def; // not owned: the static schema
    QString file;        // the source file; empty when the table has none
    TableCells cells;

    int rowCount() const { return cells.rowCount(); }
    // Null when the field is Null or the table lacks it.
    QVariant value(int row, const QString &field) const;
    QString text(int row, const QString &field) const; // empty for Null
    std::optional<qint64> number(int row, const QString &field) const;
    // Writes the field; does nothing when the table lacks it.
    void setValue(int row, const QString &field, const QVariant &value);
    bool isNull(int row, const QString &field) const;
    // The generator's input column of the row, by name with the '@'; empty when it has none.
    QString input(int row, const QString &name) const { return cells.input(row, name); }
    SourceError errorAt(int row, const QString &message) const;
};

struct DatabaseData {
    const DatabaseDef *def = nullptr; // not owned: the static schema
    QList<TableData> tables;          // the tables to create; omitted ones are left out

    TableData *table(const QString &name);
    const TableData *table(const QString &name) const;
};

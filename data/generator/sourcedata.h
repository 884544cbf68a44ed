#pragma once

#include "vbprog/murvel/schema/databaseschema.h"

#include <QList>
#include <QMap>
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

// A large source has hundreds of thousands of rows, so a row holds no more than it needs: its
// values are allocated to the exact field count, and its few inputs are a QMap, since a
// QHash allocates a whole span of buckets for its first entry (kilobytes per row).
struct Row {
    int line = 0;                  // line of the source file
    QList<QVariant> values;        // by field position
    QMap<QString, QString> inputs; // the generator's input columns, by name with the '@'
};

struct TableData {
    const TableDef *def = nullptr; // not owned: the static schema
    QString file;                  // the source file; empty when the table has none
    QList<Row> rows;

    // Null when the field is Null or the table lacks it.
    QVariant value(int row, const QString &field) const;
    QString text(int row, const QString &field) const; // empty for Null
    std::optional<qint64> number(int row, const QString &field) const;
    // Writes the field; does nothing when the table lacks it.
    void setValue(int row, const QString &field, const QVariant &value);
    bool isNull(int row, const QString &field) const { return !value(row, field).isValid(); }
    SourceError errorAt(int row, const QString &message) const;
};

struct DatabaseData {
    const DatabaseDef *def = nullptr; // not owned: the static schema
    QList<TableData> tables;          // the tables to create; omitted ones are left out

    TableData *table(const QString &name);
    const TableData *table(const QString &name) const;
};

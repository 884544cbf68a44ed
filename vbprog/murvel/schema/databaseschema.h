#pragma once

#include "vbprog/murvel/schema/schemanames.h"

#include <QList>
#include <QString>
#include <QStringList>

// The schema of every glyph database: tables, typed fields and indexes. The generator
// creates the files from it; the programs read the same names (schemanames.h) from them.

// The schema version that the generator stamps into every file as PRAGMA user_version and
// that the programs require of the files they open. Raise it when a table, field or index
// changes.
constexpr int SchemaVersion = 1;

enum class FieldType { Integer, Text };

struct FieldDef {
    QString name;
    FieldType type;
};

// An index is created as the SQLite index "<table>.<name>" over its columns.
struct IndexDef {
    QString name;
    QStringList columns;
};

struct TableDef {
    QString name;
    QList<FieldDef> fields;
    QList<IndexDef> indexes;
    // The text fields that searches match with LIKE: the generator writes a character index
    // of them beside the table, which lets such a search read only the records that hold
    // the pattern's characters.
    QStringList characterIndexed = {};

    // Position of the field, or -1 when the table lacks it.
    int fieldIndex(const QString &field) const;
    bool hasField(const QString &field) const { return fieldIndex(field) >= 0; }
};

struct DatabaseDef {
    QString name; // the file name without ".mdb"
    QList<TableDef> tables;

    const TableDef *table(const QString &name) const; // nullptr when the database lacks it
};

// The schema of a database by name, or nullptr for an unknown name.
const DatabaseDef *FindDatabaseDef(const QString &name);

// True for the four ancient-script databases.
bool IsAncientScriptDatabase(const QString &name);
// True for murvel and the four ancient-script databases, which hold glyphs and formulas.
bool IsScriptDatabase(const QString &name);

QString CreateTableSql(const TableDef &table);
QString CreateIndexSql(const TableDef &table, const IndexDef &index);
// The statement that stamps a file with SchemaVersion.
QString StampSchemaVersionSql();

// How a regular glyph names its form in an ancient script: the database and the fields of
// murvel's 檢字表 that hold the form's 編號 and its text.
struct ScriptLink {
    QString database;
    QString numberField;
    QString textField;
};

// The four ancient scripts in the order small seal, bronze, oracle bone, Chu.
const QList<ScriptLink> &ScriptLinks();

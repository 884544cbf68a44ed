#pragma once

#include "data/generator/sourcedata.h"

#include <QString>

// Reading the tab-separated sources of one database folder (format: data/README.md).

// Names of the generator's input columns.
namespace InputColumns
{
inline const QString Formula = QStringLiteral("@構字式"); // FormulaText of a glyph
inline const QString Regular = QStringLiteral("@楷書");   // glyph reference into murvel
inline const QString Number = QStringLiteral("@編號");    // glyph reference into this database
} // namespace InputColumns

// True for a field of the table that the generator derives, so that a source must not give it.
bool IsDerivedField(const DatabaseDef &database, const TableDef &table, const QString &field);

// Decodes the \uXXXX escapes of a cell; any other backslash stays.
QString DecodeCell(const QString &cell);

// Reads the folder: one <table>.tsv per table, a missing file giving an empty table, and the
// tables listed in the file omit-tables left out. Refusals are appended to errors.
DatabaseData ReadDatabaseSources(const QString &folder, const DatabaseDef &database,
                                 QList<SourceError> &errors);

#pragma once

#include <QString>
#include <QStringList>

// Opening the five script databases and the tables that stay open for the whole run.
// The handles themselves are shared state (公用變數.h).

// What opening found wrong. Errors leave the program without data it needs; warnings
// name records that were skipped.
struct OpenReport {
    QStringList errors;
    QStringList warnings;

    bool ok() const { return errors.isEmpty(); }
};

// The database files in the program folder, in the order they are opened.
extern const QStringList ScriptDatabaseFiles;

// Opens murvel.mdb, qelseal.mdb, qelbronz.mdb, qeljiagu.mdb and qelchu.mdb from the folder,
// in this order, then runs LoadFontNameTable. A file that cannot be opened is an error.
void OpenDatabases(const QString &folder, OpenReport &report);

// Fills gFaceNames from table 字體 of murvel.mdb, by 編號; a record numbered outside
// 0..20 is skipped with a warning.
void LoadFontNameTable(OpenReport &report);

// Opens the table handles of every database and sets their starting indexes. A missing
// table or index is an error.
void OpenTables(OpenReport &report);

// Fills gOperatorSymbols from table 符號 of murvel.mdb, by 編號. A record numbered outside
// 1..14 is skipped and a number without a record is reported, each as a warning; the
// operators that are there keep working.
void LoadOperatorTable(OpenReport &report);

// Closes every table handle and database.
void CloseDatabases();

#pragma once

#include <QString>

// Checks the derivation search of a script of the open databases (OpenDatabases and
// OpenTables have run): for every root of its 字根 table, alone and joined with another, in
// every column mode, in every character set in turn, and with patterns of the SQL mark,
// the answer the database layer gives through the character index is the plain scan's,
// record for record and in the same order. Returns the number of statements that took
// the index.
int ExpectDerivationsMatchTheScan(const QString &script);

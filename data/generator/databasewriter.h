#pragma once

#include "data/generator/sourcedata.h"

#include <QString>

// Writes a database as an SQLite file at path: every table of the data with the schema's
// fields, its rows in order, the character index of its searched fields, then its indexes,
// and the stamp of SchemaVersion. Returns an empty text on success, else what failed; the
// file may then be incomplete, so callers write to a temporary path.
QString WriteDatabase(const DatabaseData &database, const QString &path);

#pragma once

#include "vbprog/murvel/views/derivationquery.h"

#include <QList>
#include <QString>

// The column modes of the derivation search for the common component 口: the options of the
// derivation view choose the column searched. A root set is searched only for two or more
// components, so that mode types 口 with 木.
struct DerivationMode {
    QString column; // the column the options make the search use
    QString typed;  // what the user types into the view's box
    DerivationOptions options;
};

// Component sequence (逐級列出單一部件), root sequence and root set, each plain and with
// variant roots (包含異寫部件).
const QList<DerivationMode> &DerivationModes();

// The LIKE dialect of a statement: the program's, or SQLite's own (% for *).
enum class LikeDialect { Program, Sqlite };

// The statement of the mode's search on the regular script, built as the derivation view
// builds it (the saved 逐級列出 switch read from gIni as the view reads it); in SQLite's
// dialect it is the same statement for the bare engine. Empty when the search would use
// another column than the mode names, or would run no query.
QString DerivationSql(const DerivationMode &mode, LikeDialect dialect);

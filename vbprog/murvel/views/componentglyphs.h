#pragma once

#include "platform/jet/database.h"

#include <QList>
#include <QString>
#include <optional>

// The contents of a component list, apart from the window that shows them.

// One glyph of a component list, its 編號 in the regular-script 檢字表 and the 字體 of that
// record, which names the typeface that draws the glyph (0: the base typeface).
struct ComponentGlyph {
    QString glyph;
    std::optional<qint32> number; // none when 檢字表 holds no record of the glyph
    qint32 faceCode = 0;
};

// The title row of a component list. "符號" and "八卦" are titled with their own name;
// every other list with its stroke filter: the count & "畫" ("1-99畫" for any count, 0 or
// less), followed by "(" & firstStrokeName & ")" when a first stroke is chosen (the name
// is not empty).
QString ComponentListTitle(const QString &windowName, int strokes, const QString &firstStrokeName);

// The glyphs that a list's SQL text (one column, 字形) selects in `database`, in the order
// of its rows, each with the 編號 and 字體 that a seek on 字形 finds in `glyphTable`, or
// for a private-use character that no 字形 holds, the missing character whose 字碼 it is;
// the table's index becomes 字形 and stays so. Rows whose 字形 is Null or empty are left
// out. A failure of the query or of the index comes back with its message.
jet::Result<QList<ComponentGlyph>> ReadComponentGlyphs(const jet::Database &database,
                                                       const QString &sql, jet::Table &glyphTable);

#pragma once

#include <QList>
#include <QString>

// A piece of text drawn in one typeface.
struct RtfRun {
    QString text;
    QString typeface; // empty for text that is not rich text

    friend bool operator==(const RtfRun &, const RtfRun &) = default;
};

// Reads the rich text that FormulaTextToRtf writes into the runs a list draws: the text of
// each group, decoded from its cp950 bytes (\'hh escapes, two per double-byte character),
// in the typeface that the font table names for the group's \fN. A font number the table
// does not define is drawn in the table's first typeface (its base, f0 or f16).
// Control words other than \fN and \fonttbl are skipped; \\, \{ and \} stand for the
// character itself. A text that does not begin with "{\rtf" is one run in no typeface.
// Truncated or malformed input gives the runs read up to the fault; empty runs are left out.
QList<RtfRun> ReadGlyphRtf(const QString &rtf);

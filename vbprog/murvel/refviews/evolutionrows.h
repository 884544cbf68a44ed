#pragma once

#include "vbprog/murvel/refviews/referencerecords.h"
#include "vbprog/murvel/refviews/referencerows.h"

#include <functional>

// One ancient-script form that the evolution view shows under the regular glyph.
struct EvolutionForm {
    enum Script { OracleBone, Bronze, Chu, SmallSeal };
    Script script;
    qint32 number = 0; // its 編號 in the script
    QString face;      // the script's typeface
    RecordFields record;
};

// What the evolution view shows of one glyph: the regular record and the forms to show, in
// the order oracle bone, bronze, Chu, small seal.
struct EvolutionRecords {
    qint32 number = 0; // the regular 編號
    RecordFields regular;
    QList<EvolutionForm> forms;
};

// Reads the records of the glyph named by (face, number). A script named by face keeps the
// number passed in, the others take theirs from the regular record; a script is shown when
// its number is not 0, its option item is checked and its table holds the record. nullopt
// when the regular record cannot be found. Cross-numbers are read as 32-bit numbers.
std::optional<EvolutionRecords> ReadEvolutionRecords(const QString &face, qint32 number,
                                                     const OptionCheck &checked);

// The rows of the evolution view: the regular glyph in glyphFace, each form under it with
// its source row. A bronze vessel name written with formulas (器名缺字 1) becomes a
// rich-text row made by toRtf, with the plain name in its copy tag.
ReferenceRows BuildEvolutionRows(const EvolutionRecords &records, const QString &glyphFace,
                                 const std::function<QString(const QString &)> &toRtf);

#pragma once

#include "bench/synthetic/regularscript.h"

#include <QList>
#include <QString>

// The four ancient scripts of a synthetic database set. Each holds forms of regular glyphs
// that have a glyph of their own, every root first among them, composed with the regular
// glyph's formula; some glyphs have a further form at a private-use code of the script's
// face, which makes a variant group with the first. A script larger than those glyphs also
// holds forms of missing characters, without a 字形 and at a private-use code of its face.

struct AncientScriptDef {
    QString database;
    int face = 0;                 // 字體 of a first form
    int variantFace = 0;          // 字體 of a further form
    char16_t firstFormCode = 0;   // the first private-use code of face, for missing characters
    char16_t furtherFormCode = 0; // the first private-use code of variantFace
};

const QList<AncientScriptDef> &AncientScriptDefs();

struct AncientRecord {
    int regular = -1; // the regular glyph it links to (@楷書), an index into RegularScript::glyphs
    QString glyph;    // 字形: the regular glyph's; empty for a missing character
    QString code;     // 字碼 of a further form or a missing character; else empty
    int face = 0;
    bool repeated = false; // 重複: a further form of the same 字形
    QString formula;
    QString analysis; // 解形
};

struct AncientScript {
    AncientScriptDef def;
    QList<AncientRecord> records;    // 編號 1, 2, ... in this order
    QStringList roots;               // table 字根 in this order
    QList<QList<int>> variantGroups; // records (indexes into records), the first form first
};

AncientScript PlanAncientScript(const SyntheticShape &shape, const RegularScript &regular,
                                const AncientScriptDef &def);

#pragma once

#include "vbprog/murvel/core/glyphpanel.h"

#include <QString>

// Filling the glyph attribute panel from the regular-script 檢字表 of murvel.mdb. A glyph is
// named by its typeface and a key: a face that names an ancient script (AncientScriptTable)
// makes the key that script's 編號, which leads to the regular glyph through the record's
// 楷書編號; any other face makes the key the regular 編號. Both procedures leave gRs檢字表
// referring to gRs檢字表楷書, with the index and record of their last seek.

// Clears the panel, then fills it from the regular record of the key, box by box, and sets
// gCurrentGlyphNumber to its 編號. txt字形 shows 字形, else 字碼, else "●", in the typeface
// that 字體 names in gFaceNames; 字體 0, Null, outside 0..20 or without a name gives
// gDefaultFace. A Null field leaves its box empty (txt編號 and txt外字集: as they were).
// A key below 0 changes nothing. When there is no regular record (none for the key, none for
// it in the ancient script, or an ancient record that links to no regular glyph) the panel
// stays cleared, as for a miss.
void ShowGlyphAttributes(GlyphPanel &panel, const QString &face, qint32 key);

// Fills txt構字式 with the formula of the glyph's regular record (JoinFormula of 連接符號 and
// 部件序) and sets gDragText to its 部件序. The record is found by the formula under 構字式
// when the glyph text is a prefix operator and one component, else by the key, or by the
// glyph text when the key is 0. For an ancient script the glyph text becomes the regular
// record's 字碼. Without a record nothing changes; a key below 0 changes nothing.
void ShowGlyphFormula(GlyphPanel &panel, const QString &face, const QString &glyph, qint32 key);

// Empties every box but txt編號 and txt外字集; gCurrentGlyphNumber becomes NoGlyphNumber.
void ClearGlyphPanel(GlyphPanel &panel);

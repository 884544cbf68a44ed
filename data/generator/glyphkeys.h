#pragma once

#include "data/generator/sourcedata.h"

// Derives the search keys of every record of a 檢字表 with the formula search's own rules:
// 字根序, 字根序二, 字根組, 字根組二 and 部件序二. Roots and variant roots come from the
// database's 字根 and 異寫字根 (either may be nullptr). A cycle in the formulas is refused.
// With firstRecordOnly a component stands for the first record of its 字形, whatever its
// 字體 (the ancient-script databases).
void DeriveSearchKeys(TableData &glyphs, const TableData *roots, const TableData *variantRoots,
                      bool firstRecordOnly, QList<SourceError> &errors);

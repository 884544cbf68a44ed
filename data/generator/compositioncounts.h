#pragma once

#include "data/generator/sourcedata.h"

// Derives 組字字數, 組字字數二 and the per-set counts of every record of a 檢字表 (the rule is
// in data/README.md). Needs 部件序 and 字根序; variantRoots may be nullptr.
void DeriveCompositionCounts(TableData &glyphs, const TableData *variantRoots);

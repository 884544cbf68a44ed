#pragma once

#include "data/generator/sourcedata.h"

// Table 字根: its 編號 defaults to the position of the record (1, 2, ...); needed before the
// search keys are derived, since 字根組 orders roots by it.
void NumberRoots(TableData &roots);

// Completes 連接符號 and 字根序二 from the first 檢字表 record of the same 字形, and Big5 (1 for a
// character of code page 950 outside its user-defined areas), where the source leaves them empty.
void CompleteRootFields(TableData &roots, const TableData &glyphs);

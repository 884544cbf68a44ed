#pragma once

#include "data/generator/sourcedata.h"

// Completes the records of a 檢字表 from their sources: 字碼 defaults to 字形 and 字體 to 0;
// 連接符號 and 部件序 come from @構字式 by the FormulaKey rule, and a record without a formula
// is a root (or, with 連接符號 9, a symbol) whose 部件序 is its own 字碼.
void DeriveStoredFormulas(TableData &glyphs, QList<SourceError> &errors);

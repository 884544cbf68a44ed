#pragma once

#include "data/generator/sourcedata.h"

// Fills the formula model's operator table (gOperatorSymbols) from table 符號 (may be nullptr);
// a number without a record keeps the symbol the formula model gives it, so that databases
// built with an incomplete 符號 on purpose still get their keys right.
void LoadOperatorSymbols(const TableData *symbols);

#pragma once

#include "data/generator/sourcedata.h"

// Derives 部首筆畫排序 and, where the table has them, BIG5 and Unicode (data/README.md).
void DeriveCodesAndSortKey(TableData &glyphs);

// The sort key by radical, then strokes without the radical.
qint64 RadicalStrokeSortKey(std::optional<qint64> radical, std::optional<qint64> residualStrokes);

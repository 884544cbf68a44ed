#pragma once

#include <QString>

// The SQL text of a component list: its one column 字形 from the table of the list kind
// (the window name of kinds 1 to 10, "符號" .. "部件外字"; an unknown kind lists 部件外字),
// filtered by stroke count and first stroke. A filter value of 0 or less is no filter;
// the lists "符號" and "八卦" take no filter.
QString BuildComponentListSql(const QString &listKind, int strokes, int firstStroke);

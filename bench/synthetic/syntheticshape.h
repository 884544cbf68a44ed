#pragma once

#include <QString>
#include <QtGlobal>

// The size and shape of a synthetic glyph database set. The defaults are the size the
// program is made for; tests build the same shape smaller.
struct SyntheticShape {
    quint64 seed = 1;
    int regularGlyphs = 100000; // records of murvel's 檢字表 that are roots or composed glyphs
    int roots = 1500;           // of them, the roots
    int ancientGlyphs = 20000;  // records of each ancient script's 檢字表
};

// The few components that a fifth of all composed glyphs contain, as in real databases.
// Their side forms count with them.
inline const QString CommonComponents = QStringLiteral("口木水氵人亻土日");

#pragma once

#include <QString>

// Glyphs that every synthetic regular script holds so that the formula search can be timed
// at each of its five levels. They are built on a root that no other glyph uses, so no
// random glyph shares their keys and each typed formula below is found at its own level
// and at no earlier one.
namespace SyntheticProbes
{

inline const QString ReservedRoot = QStringLiteral("\u3400");
// ReservedRoot above 口.
inline const QString InnerGlyph = QStringLiteral("\u3401");
// 亻 beside InnerGlyph: roots 亻, ReservedRoot, 口 over two levels.
inline const QString ProbeGlyph = QStringLiteral("\u3402");
// ProbeGlyph above 木: a composition three levels deep.
inline const QString ThreeLevelGlyph = QStringLiteral("\u3403");

constexpr int FirstLevel = 1;
constexpr int LastLevel = 5;

// The stored formulas of the probe glyphs, in the order they are written.
struct ProbeRecord {
    QString glyph;
    QString formula;
};
QList<ProbeRecord> ProbeRecords();

// The formula a user types that the search finds as ProbeGlyph at the level (1: the formula
// itself, 2: its root sequence, 3: with variant roots, 4: its root set, 5: its root set with
// variant roots).
QString TypedFormulaForLevel(int level);

} // namespace SyntheticProbes

#pragma once

#include "data/generator/sourcedata.h"

#include <optional>

// Glyph numbers (編號) of a 檢字表.

// The rank of a Big5 code among the Big5 hanzi: A440..C67E and C940..F9D5 in code order
// (157 codes to a lead byte: trail bytes 40..7E and A1..FE) are 1..13053, and the seven
// extension characters F9D6..F9DC follow as 13054..13060. nullopt for any other code.
std::optional<int> Big5HanziRank(quint16 code);

// The rank of a glyph that numbers its record: that of a Big5 hanzi written in 字體 0.
std::optional<int> Big5GlyphRank(const QString &glyph, qint64 face);

// The first number given to a glyph that is no Big5 hanzi.
constexpr int FirstNonBig5Number = 13061;

// Numbers the regular-script glyphs: a number in the source stays; the first record of a
// Big5 hanzi in 字體 0 gets its rank; every other record the next free number from 13061.
// Two records with one number are refused.
void AssignRegularGlyphNumbers(TableData &glyphs, QList<SourceError> &errors);

// The ancient scripts number their glyphs in the source: a missing or repeated 編號 is refused.
void CheckGlyphNumbers(const TableData &glyphs, QList<SourceError> &errors);

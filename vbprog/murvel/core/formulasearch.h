#pragma once

#include "vbprog/murvel/core/formula.h"

#include <QString>
#include <optional>

// The search behind the main window's formula box: finds the regular-script glyph that a
// typed composition formula describes, first by the formula itself (index 構字式), then by
// ever looser forms of its roots (字根序, 字根序二, 字根組, 字根組二).

// Results of FindGlyphByFormula other than a glyph's 編號.
constexpr qint32 FormulaTooShort = 0;
constexpr qint32 NoGlyphFound = -1;

// How the search reads the text of the formula box.
struct TypedFormula {
    enum class Form {
        SingleGlyph, // one character: looked up by 字形 alone
        TooShort,    // nothing left to search; key.components is what txt字形 shows
        Formula,     // searched by key
    };
    Form form = Form::Formula;
    // The kind and component string that the search seeks under 構字式. For SingleGlyph the
    // components are the character.
    FormulaKey key;
};

// The search's own parsing rule (not the FormulaKey rule): blanks (U+0020) around the text
// are ignored; a two-character text is kind 5 with the whole text as key unless both are
// infix operators; a bracket makes kind 4 and appends the text without its first and last
// character to what was collected; an infix operator sets the kind (starting at 4) and is
// left out. A key left empty falls back to the whole text; an empty key, or a one-character
// key whose last examined character is an operator, is too short.
TypedFormula ParseTypedFormula(const QString &text);

struct FormulaSearchResult {
    // The 編號 of the glyph found, FormulaTooShort or NoGlyphFound.
    qint32 number = NoGlyphFound;
    // Set only when the key is too short: the text the search puts into txt字形.
    std::optional<QString> glyphBoxText;
};

// Searches the formula text in 檢字表 of murvel.mdb. gRs檢字表 is made to refer to
// gRs檢字表楷書 and is left with the index and record of the last seek.
//
// similarGlyphList is the main window's list of near matches, which it shows after a miss.
// It belongs to this search alone: it is emptied first, and set to ",相似字形: " followed
// by the labels of the records that follow the match with the same component sequence, when
// there are any. A record of the typed kind among them becomes the result (the last one
// wins) and the first match's label then leads the list.
//
// A Null where the search needs text, a missing index or a root expansion that cannot be
// made ends the search with the result it holds: NoGlyphFound before a match, the matched
// number during the walk after it.
FormulaSearchResult FindGlyphByFormula(const QString &formulaText, QString &similarGlyphList);

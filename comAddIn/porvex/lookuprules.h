#pragma once

#include "vbprog/murvel/core/formula.h"

#include <QString>
#include <optional>

// The rules of the lookup engine that need no database: the key of a formula found in a
// document, the text that replaces a formula in its source, and the typeface of the glyph
// written in its place.
namespace porvex
{

// The glyph that a lookup chose to write.
struct ChosenCandidate {
    QString glyph;    // 字形: the glyph as an ordinary character; empty when none encodes it
    QString code;     // 字碼: the glyph as a character of its typeface; empty = write nothing
    QString faceName; // the typeface to set while faceCode is negative
    int faceCode = 0; // 字體: 0 an ordinary Big5 character, 1..8 an end-user-defined set
};

// The glyph's text in each ancient script's typeface, empty where the record has none.
struct ScriptTexts {
    QString seal;       // 小篆
    QString bronze;     // 金文
    QString oracleBone; // 甲骨文
    QString chu;        // 楚系文字

    // The text of the script that the typeface writes, or nullptr when the typeface is
    // none of the ancient scripts' (exact comparison).
    const QString *forFace(const QString &face) const;
};

// The FormulaKey of a formula as a converter found it: kind 4 and the text between the
// brackets when it opens with U+F6AE and closes with U+F6AF; otherwise the last infix
// operator gives the kind (5 without one) and every other character is a component, an
// unclosed opening bracket included.
FormulaKey KeyOfFoundFormula(const QString &formula);

// The text that replaces the formula in its source document: the glyph when it has one;
// otherwise the components joined by the operator of kind 1, 2 or 3 (a prefix operator
// stays with the character after it), the components as they are for kind 5, and for any
// other kind the components between U+F6AE and U+F6AF.
QString ComposeResultText(const QString &glyph, int kind, const QString &components);

// The end-user-defined-character typeface of set 1..8 in the family of the style: the
// 標楷體 set when the style holds "楷", else the 細明體 one. Empty for any other set.
QString EudcFaceName(const QString &style, int set);

// What a converter writes in place of a formula whose text has the typeface textFace.
struct GlyphWrite {
    QString text;                // empty: write nothing, leave the formula
    std::optional<QString> face; // the typeface to give the written text; nullopt keeps it

    bool writes() const { return !text.isEmpty(); }
};

// The writing rule: nothing without a chosen 字碼; in an ancient script's typeface that
// script's text when the record has one, keeping the typeface; otherwise the chosen 字碼,
// in the end-user-defined set of the text's family for 字體 1..8, in the chosen typeface
// name for a negative 字體 when there is one, and in the text's own typeface otherwise
// (字體 0, 9 or more, or a negative one without a name), so no text loses its typeface
// to an empty name.
GlyphWrite WriteFor(const ChosenCandidate &chosen, const ScriptTexts &scripts,
                    const QString &textFace);

} // namespace porvex

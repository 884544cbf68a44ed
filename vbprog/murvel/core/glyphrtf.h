#pragma once

#include "vbprog/murvel/core/formula.h"

#include <QString>
#include <functional>
#include <optional>

// GlyphRtf: a text in which every composition formula is replaced by its glyph, as rich
// text in one string: "{\rtf1\ansi\deflang1033", a font table, the body groups, "}".
// Every character is written as escaped cp950 bytes. With base typeface "標楷體" the fonts
// are f0 ("標楷體") and f1..f8 ("標楷體外字集一".."八"); with any other base they are f16
// ("細明體") and f17..f24 ("細明體外字集一".."八").

// The fields of the record that index 構字式 finds for a formula: 字體 (nullopt when Null
// or not a number) and 字碼.
struct FormulaGlyph {
    std::optional<int> face;
    QString code;
};

// Finds the record of a formula key; nullopt when there is none.
using FormulaGlyphLookup = std::function<std::optional<FormulaGlyph>(const FormulaKey &)>;

// The cp950 code of the first character of c as escaped bytes in lower case: "\'hh\'hh" for
// a two-byte code, "\'hh" for a byte from 10 to ff, the empty text for a smaller code (tab,
// carriage return) or an empty string. A character cp950 lacks is written as "?" (\'3f).
QString RtfHexEscape(const QString &c);

// The GlyphRtf of the text, finding formulas through the lookup. Ordinary characters go
// into text groups in the base font; each formula becomes one glyph group in the font of
// its record's 字體, or the missing-glyph group ("●" in the base font).
//
// How the text is cut into formulas:
// - A character followed by an infix operator (U+F6A3..U+F6A5) starts the formula that the
//   operator continues. A formula never begins before the text or inside the formula before
//   it: an infix operator at the start of the text, or right after a bracketed formula,
//   starts its formula itself.
// - An operator takes the characters after it while each is an infix operator or follows
//   an operator of U+F6A3..U+F6AD. Past the end of the text the scan sees a carriage
//   return, which ends it like one in the text.
// - U+F6AE takes everything up to the first U+F6AF as one formula of kind 4. Without its
//   U+F6AF it takes the rest of the text, up to a carriage return, and is shown as missing
//   without a lookup: an incomplete formula has no record.
// - A record whose 字體 is Null or outside 0..20, or whose 字碼 is empty, is shown as
//   missing; 字體 9..20 gives a font number the table does not define, which a reader draws
//   in the base typeface.
QString FormulaTextToRtf(const QString &text, const QString &base,
                         const FormulaGlyphLookup &lookup);

// The GlyphRtf of the text, looking formulas up in the regular-script 檢字表 through
// gRs檢字表楷書, whose index it sets to 構字式 and leaves so.
QString FormulaTextToRtf(const QString &text, const QString &base);

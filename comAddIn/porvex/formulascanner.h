#pragma once

#include "vbprog/murvel/core/formula.h"

#include <QString>
#include <optional>

// Where composition formulas stand in a run of document text. The spreadsheet and
// presentation converters scan cell and text-frame texts, the web-page converter the body of
// its page; they and the Word converter share the character classes and the extent of a
// formula.
namespace porvex
{

// U+E000..U+F848, the characters of the Big5 user-defined areas; the operators are among them.
bool IsPrivateUse(QChar c);

// The characters that no formula takes in, nor reaches over: the control characters, which
// end paragraphs, table cells, a page's blocks and lines ("\r", "\n", "\v", "\f") and stand
// for tabs, pictures and note marks in a document's text, and U+FFFC, a page's picture. Taken
// into a formula, one would be replaced with it: the text it divides would join, or the
// picture be lost.
bool IsFormulaBoundary(QChar c);
// Every such character, for searches that stop at any of a set.
extern const QString FormulaBoundaries;

// A formula found in a text, positions counting UTF-16 units from 0.
struct FoundFormula {
    int start = 0;
    int length = 0;
    // A private-use character standing alone on a page: it is drawn as a picture of itself
    // and not looked up.
    bool lone = false;

    int end() const { return start + length; }
};

class FormulaScanner
{
public:
    // In both, a formula boundary ends every formula and every search for a closing
    // bracket, and an operator after one takes no component before it.
    enum class Mode {
        // Cell and text-frame texts.
        Paragraphs,
        // A page's body, whose blocks end in "\n": a private-use character that no joining
        // operator follows is reported on its own.
        Page,
    };

    explicit FormulaScanner(Mode mode) : m_mode(mode) {}

    // The next formula that begins at or after from and has components to look up; from
    // moves past what was scanned, which is past the formula. An opening bracket without its
    // closing bracket is passed over alone, so the formulas after it are still found.
    std::optional<FoundFormula> next(const QString &text, int &from) const;

private:
    bool endsFormula(const QString &text, int at) const;
    int bracketEnd(const QString &text, int open) const;
    FoundFormula operatorFormula(const QString &text, int at) const;

    Mode m_mode;
};

} // namespace porvex

#pragma once

#include "comAddIn/porvex/conversionrun.h"
#include "comAddIn/porvex/sourcepositions.h"

namespace porvex
{

// A text of a host document that a conversion reads and rewrites: a cell, a text frame.
// Positions count UTF-16 units from 0.
class EditableText
{
public:
    virtual ~EditableText() = default;
    // The whole text as it is now.
    virtual QString text() const = 0;
    // The typeface of the stretch; empty when it holds more than one.
    virtual QString face(int start, int length) const = 0;
    // Replaces the stretch by text, which keeps the stretch's formatting; false when the
    // text cannot be changed.
    virtual bool replace(int start, int length, const QString &text) = 0;
    // Gives the written glyph at start, length characters long, its typeface as the host
    // does it.
    virtual void setGlyphFace(int start, int length, const QString &face) = 0;
};

// Converts the formulas of a copy's text from left to right: each one that the lookup
// gives a glyph for becomes that glyph in the copy, and its result text, when it has one,
// replaces the same formula at the same place of the source, whatever the copy and source
// hold elsewhere. positions keeps where the source's text lies against the copy's across
// calls on the same pair.
void ConvertTextFormulas(ConversionRun &run, CandidatePicker &picker, EditableText &copy,
                         EditableText &source, SourcePositions &positions);

} // namespace porvex

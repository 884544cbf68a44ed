#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The rules of the font bar's two boxes, apart from the widgets.

// The two base typefaces the font bar offers.
bool IsBaseFontName(const QString &name);

// The glyph sizes that the size box and the font dialog offer, smallest first.
const QStringList &FontSizeItems();

// Enter in the typeface box: the text the box then shows, and whether it is applied. An
// empty text or any name but the two base typefaces gives the current base typeface back,
// unapplied.
struct FontNameEntry {
    QString text;
    bool apply;
};
FontNameEntry FontNameAfterEnter(const QString &text, const QString &currentBase);

// Enter in the size box: the text the box then shows before the size is applied. Empty
// text becomes the current size; a leading number below 10 becomes "10", above 1000
// "1000"; anything else stays as typed.
QString SizeTextAfterEnter(const QString &text, int currentSize);

// The size a size-box text applies: the text as a whole read as a number, rounded half to
// even. Nothing for text that is not a number as a whole or does not fit 16 bits, so such
// text never becomes the glyph size.
std::optional<int> SizeOfText(const QString &text);

// Enter in the stroke-count box: the item to select (0 = "1-99", n = "n"), or nothing.
std::optional<int> StrokeItemAfterEnter(const QString &text);

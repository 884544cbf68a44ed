#pragma once

#include "comAddIn/porvex/lookupengine.h"

#include <QString>

namespace word
{
class Document;
class Range;
} // namespace word

namespace porvex
{

class GlyphRenderer;
class WordCandidatePicker;

// What one Word conversion run shares with the range converter: the engine with the run's
// tables and log, the chooser, the renderer of glyph pictures, the preview copy and the
// picture files of the run.
struct WordConversion {
    LookupEngine &engine;
    WordCandidatePicker &picker;
    GlyphRenderer &renderer;
    word::Document &copy;
    QString pictureFolder;  // the run's ~cpN.bmp files go here
    int pictureCounter = 0; // numbers the pictures of the run from 1
    QString lastMessage;    // the last note of a lookup for the status bar (a refused log entry)
};

// Converts the composition formulas of one story: copy is the story's range in the preview
// copy, source the same story's range in the source document (both start at the same
// position). In the copy each formula found becomes its glyph (glyph mode) or a picture of
// it with the alternative text "●＝" and its formula (picture mode, which also draws lone
// end-user-defined characters); in the source a formula is replaced, at its own position,
// when the lookup made a result text. Both ranges are moved.
void ConvertRangeFormulas(WordConversion &run, word::Range &copy, word::Range &source);

// The alternative text of a glyph picture: the mark "●＝" and the formula. Read back, the
// mark may also be "●=".
inline const QString PictureAltMark = QStringLiteral("●＝");
inline const QString PictureAltMarkNarrow = QStringLiteral("●=");

} // namespace porvex

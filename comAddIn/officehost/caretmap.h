#pragma once

#include "comAddIn/officehost/hostdocument.h"

#include <QList>
#include <QString>
#include <utility>

namespace officehost
{

// The text the window shows for a document's segments, and the mapping between positions
// in it and positions in the segments. Each segment shows as its label, a tab and its
// text, one after the other on lines of their own. Every unit of a segment's text shows as
// one unit, so a caret in the window is a model position: paragraph marks ("\r") show as
// line ends, line breaks ("\v") as line separators, other control marks (pictures, notes)
// as a box.
class CaretMap
{
public:
    explicit CaretMap(const QList<TextSegment> &segments = {});

    QString displayText() const { return m_display; }

    // The segment position of a window span; a span that reaches over several segments
    // stays in the segment where it starts, up to that segment's end. A position in a
    // label counts as the start of its segment's text. Nothing without segments.
    std::optional<SegmentSelection> toModel(int displayStart, int displayEnd) const;
    // The window position of a segment position (clamped to the segment's text); -1 for
    // a segment that is not shown.
    int toDisplay(int segment, int position) const;

    // The window span [start, end) of a whole segment, its label included; {-1, -1} for a
    // segment that is not shown.
    std::pair<int, int> segmentSpan(int segment) const;

    // The character shown for a unit of a segment's text.
    static QChar shownAs(QChar unit);

private:
    int lineStart(int segment) const;

    struct Placed {
        int textStart = 0; // window position of the segment's first unit
        int length = 0;
    };
    int segmentAt(int displayPosition) const;

    QString m_display;
    QList<Placed> m_placed;
};

} // namespace officehost

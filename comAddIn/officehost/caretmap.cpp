#include "comAddIn/officehost/caretmap.h"

#include <algorithm>

namespace officehost
{

CaretMap::CaretMap(const QList<TextSegment> &segments)
{
    for (const TextSegment &segment : segments) {
        if (!m_display.isEmpty())
            m_display += u'\n';
        if (!segment.label.isEmpty())
            m_display += segment.label + u'\t';
        m_placed.append({int(m_display.size()), int(segment.text.size())});
        for (const QChar unit : segment.text)
            m_display += shownAs(unit);
    }
}

QChar CaretMap::shownAs(QChar unit)
{
    switch (unit.unicode()) {
    case u'\r':
    case u'\n':
        return u'\n';
    case u'\v':
        return QChar::LineSeparator;
    case u'\t':
        return unit;
    default:
        return unit.unicode() < 0x20 ? QChar(u'□') : unit;
    }
}

int CaretMap::lineStart(int segment) const
{
    return segment == 0 ? 0 : m_placed[segment - 1].textStart + m_placed[segment - 1].length + 1;
}

int CaretMap::segmentAt(int displayPosition) const
{
    // The last segment whose label or text begins at or before the position.
    int found = 0;
    for (int i = 0; i < m_placed.size(); ++i) {
        if (lineStart(i) > displayPosition)
            break;
        found = i;
    }
    return found;
}

std::optional<SegmentSelection> CaretMap::toModel(int displayStart, int displayEnd) const
{
    if (m_placed.isEmpty())
        return std::nullopt;
    if (displayEnd < displayStart)
        std::swap(displayStart, displayEnd);
    const int segment = segmentAt(displayStart);
    const Placed &placed = m_placed[segment];
    const auto clamp = [&placed](int position) {
        return std::clamp(position - placed.textStart, 0, placed.length);
    };
    return SegmentSelection{segment, clamp(displayStart), clamp(displayEnd)};
}

std::pair<int, int> CaretMap::segmentSpan(int segment) const
{
    if (segment < 0 || segment >= m_placed.size())
        return {-1, -1};
    return {lineStart(segment), m_placed[segment].textStart + m_placed[segment].length};
}

int CaretMap::toDisplay(int segment, int position) const
{
    if (segment < 0 || segment >= m_placed.size())
        return -1;
    const Placed &placed = m_placed[segment];
    return placed.textStart + std::clamp(position, 0, placed.length);
}

} // namespace officehost

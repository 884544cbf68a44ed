#pragma once

#include "platform/office/page/domedit.h"

#include <QString>
#include <libxml/tree.h>
#include <unordered_map>
#include <vector>

namespace office::page
{

// The body's text as the page model counts it (see pagemodel.h), with the tree nodes each
// unit comes from. Built once; an edit maps again only the part of the tree it touched.
class TextMap
{
public:
    struct Segment {
        enum class Kind { Text, Object, Break };
        Kind kind;
        // The text node, the image or <br>, or the block element that the break ends.
        xmlNodePtr node;
        int start;
        int length;
        int end() const { return start + length; }
    };

    // What an edit between two positions may change: the children of parent from first up
    // to next (first null: from its first child; next null: through its last), which held
    // the text between start and end. Taken before the edit, which changes nothing outside
    // it and leaves first and next in their places.
    struct Region {
        xmlNodePtr parent;
        xmlNodePtr first;
        xmlNodePtr next;
        int start;
        int end;
    };

    explicit TextMap(xmlNodePtr body);

    int length() const { return static_cast<int>(m_text.size()); }
    const QString &text() const { return m_text; }

    // The tree point of a range's start at position: on the unit that follows it.
    DomPoint startPoint(int position) const;
    // The tree point of a range's end at position: right after the unit before it.
    DomPoint endPoint(int position) const;
    // Where text typed at position goes: after the character before it, so that it takes
    // that character's formatting, unless a block ends there.
    DomPoint insertionPoint(int position) const;

    // The positions before and after the element's content (its closing break included).
    // For an element outside the body, both are the body's length.
    std::pair<int, int> span(xmlNodePtr node) const;
    // The node whose unit is at position: a text node, image, <br> or block (for a break);
    // null at the end of the body.
    xmlNodePtr nodeAt(int position) const;

    // The part of the tree that an edit replacing the units between from and to changes:
    // everything between the units just outside them, which the edit keeps.
    Region regionAround(int from, int to) const;
    // Maps the region again after the edit, and what follows it until the map agrees with
    // what it was; the rest only moves.
    void update(const Region &region);

private:
    class Walk;
    struct Span {
        int start;
        int end;
    };

    // Index of the segment holding the unit at position, or -1.
    int segmentAt(int position) const;
    // Index of the first segment that starts at position or after it.
    int firstSegmentFrom(int position) const;
    // Where the element's content ends, before the break that closes it.
    int contentEnd(xmlNodePtr element) const;
    Span &spanOf(xmlNodePtr element) { return m_spans[m_spanIndex.at(element)].second; }
    const Span &spanOf(xmlNodePtr element) const { return m_spans[m_spanIndex.at(element)].second; }
    void setSpan(xmlNodePtr element, Span span);

    xmlNodePtr m_body;
    QString m_text;
    std::vector<Segment> m_segments;
    // The elements' spans, in a list that an edit moves in one pass, and where each is.
    std::vector<std::pair<xmlNodePtr, Span>> m_spans;
    std::unordered_map<xmlNodePtr, size_t> m_spanIndex;
};

} // namespace office::page

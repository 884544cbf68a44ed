#pragma once

#include "platform/office/page/domedit.h"

#include <QString>
#include <libxml/tree.h>
#include <vector>

namespace office::page
{

// The body's text as the page model counts it (see pagemodel.h), with the tree nodes each
// unit comes from. Built afresh after each edit.
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

private:
    // Walks the tree without recursion, so that no nesting of the page exhausts the stack.
    void walk(xmlNodePtr root);
    // Adds the node's own units; true when the units of its children follow.
    bool visit(xmlNodePtr node);
    // Ends an element after its children: the break that closes a block, and its span.
    void leave(xmlNodePtr node, bool visitedContent, int start);
    void append(Segment::Kind kind, xmlNodePtr node, const QString &text);
    // Index of the segment holding the unit at position, or -1.
    int segmentAt(int position) const;

    xmlNodePtr m_body;
    QString m_text;
    std::vector<Segment> m_segments;
    struct NodeSpan {
        xmlNodePtr node;
        int start;
        int end;
    };
    std::vector<NodeSpan> m_spans; // Elements only, in the order their walks end.
};

} // namespace office::page

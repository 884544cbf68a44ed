#include "platform/office/page/textmap.h"

#include "platform/office/page/htmlnodes.h"

#include <algorithm>

namespace office::page
{
namespace
{

constexpr QChar kObjectReplacement(0xFFFC);

bool holdsNoText(xmlNodePtr element)
{
    return hasName(element, "script") || hasName(element, "style") || hasName(element, "template");
}

bool isBlank(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar ch) { return ch.isSpace(); });
}

// Layout whitespace (the line breaks and indents of the source around blocks) shows nowhere
// on the page and is no text: blank text next to a block, or at the start or end of a
// block or the body.
bool isLayoutWhitespace(xmlNodePtr textNode, const QString &text)
{
    if (!isBlank(text))
        return false;
    const xmlNodePtr parent = textNode->parent;
    const bool inBlock =
        hasName(parent, "body") || hasName(parent, "html") || isBlockElement(parent);
    return isBlockElement(textNode->prev) || isBlockElement(textNode->next) ||
           (inBlock && (textNode->prev == nullptr || textNode->next == nullptr));
}

} // namespace

TextMap::TextMap(xmlNodePtr body) : m_body(body)
{
    if (body != nullptr)
        walk(body);
}

void TextMap::append(Segment::Kind kind, xmlNodePtr node, const QString &text)
{
    m_segments.push_back({kind, node, length(), static_cast<int>(text.size())});
    m_text += text;
}

bool TextMap::visit(xmlNodePtr node)
{
    switch (node->type) {
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE: {
        const QString text = DomEditor::textOf(node);
        if (!isVerbatim(node) && !text.isEmpty() && !isLayoutWhitespace(node, text))
            append(Segment::Kind::Text, node, text);
        return false;
    }
    case XML_ELEMENT_NODE:
        if (hasName(node, "img")) {
            append(Segment::Kind::Object, node, QString(kObjectReplacement));
            return false;
        }
        if (hasName(node, "br")) {
            append(Segment::Kind::Object, node, QStringLiteral("\n"));
            return false;
        }
        return !holdsNoText(node);
    default:
        return false;
    }
}

void TextMap::leave(xmlNodePtr node, bool visitedContent, int start)
{
    if (node->type != XML_ELEMENT_NODE)
        return;
    if (visitedContent && node != m_body && isBlockElement(node) && !m_segments.empty() &&
        m_segments.back().kind != Segment::Kind::Break)
        append(Segment::Kind::Break, node, QStringLiteral("\n"));
    m_spans.push_back({node, start, length()});
}

void TextMap::walk(xmlNodePtr root)
{
    // The start of each element the walk is inside, from the root down.
    std::vector<int> starts;
    for (xmlNodePtr node = root;;) {
        const int start = length();
        const bool intoContent = visit(node);
        if (intoContent && node->children != nullptr) {
            starts.push_back(start);
            node = node->children;
            continue;
        }
        leave(node, intoContent, start);
        while (node != root && node->next == nullptr) {
            node = node->parent;
            leave(node, true, starts.back());
            starts.pop_back();
        }
        if (node == root)
            return;
        node = node->next;
    }
}

int TextMap::segmentAt(int position) const
{
    auto it = std::upper_bound(m_segments.begin(), m_segments.end(), position,
                               [](int p, const Segment &s) { return p < s.end(); });
    if (it == m_segments.end())
        return -1;
    return static_cast<int>(it - m_segments.begin());
}

DomPoint TextMap::startPoint(int position) const
{
    const int index = segmentAt(position);
    if (index < 0)
        return {m_body, DomEditor::length(m_body)};
    const Segment &segment = m_segments[index];
    switch (segment.kind) {
    case Segment::Kind::Text:
        return {segment.node, position - segment.start};
    case Segment::Kind::Object:
        return {segment.node->parent, DomEditor::indexOf(segment.node)};
    case Segment::Kind::Break:
        return {segment.node, DomEditor::length(segment.node)};
    }
    return {m_body, 0};
}

DomPoint TextMap::endPoint(int position) const
{
    if (position <= 0 || m_segments.empty())
        return {m_body, 0};
    const Segment &segment = m_segments[segmentAt(std::min(position, length()) - 1)];
    switch (segment.kind) {
    case Segment::Kind::Text:
        return {segment.node, position - segment.start};
    case Segment::Kind::Object:
    case Segment::Kind::Break:
        return {segment.node->parent, DomEditor::indexOf(segment.node) + 1};
    }
    return {m_body, 0};
}

DomPoint TextMap::insertionPoint(int position) const
{
    if (position <= 0 || m_segments.empty())
        return startPoint(position);
    const Segment &before = m_segments[segmentAt(std::min(position, length()) - 1)];
    return before.kind == Segment::Kind::Break ? startPoint(position) : endPoint(position);
}

std::pair<int, int> TextMap::span(xmlNodePtr node) const
{
    for (const NodeSpan &span : m_spans) {
        if (span.node == node)
            return {span.start, span.end};
    }
    return {length(), length()};
}

xmlNodePtr TextMap::nodeAt(int position) const
{
    const int index = segmentAt(position);
    return index < 0 ? nullptr : m_segments[index].node;
}

} // namespace office::page

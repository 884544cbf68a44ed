#include "platform/office/page/textmap.h"

#include "platform/office/page/htmlnodes.h"

#include <algorithm>
#include <optional>

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

// Text the page reads as one with its neighbours: text nodes side by side (a reference
// beside plain text, text an edit added), but not verbatim markup.
bool isPlainText(xmlNodePtr node)
{
    return node != nullptr &&
           (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) &&
           !isVerbatim(node);
}

// Layout whitespace (the line breaks and indents of the source around blocks) shows nowhere
// on the page and is no text: blank text next to a block, or at the start or end of a
// block or the body. Plain text nodes side by side are one text, as the page reads once it
// is written: blank only when all of them are. A walk asks in document order, so each run
// of nodes is looked at once.
class LayoutWhitespace
{
public:
    bool at(xmlNodePtr textNode)
    {
        const bool inLastRun = m_asked != nullptr && textNode->prev == m_asked &&
                               m_asked != m_runLast && isPlainText(m_asked);
        m_asked = textNode;
        if (!isPlainText(textNode))
            return false;
        if (!inLastRun)
            lookAtRun(textNode);
        return m_runIsLayout;
    }

private:
    void lookAtRun(xmlNodePtr member)
    {
        xmlNodePtr first = member;
        while (isPlainText(first->prev))
            first = first->prev;
        m_runLast = member;
        while (isPlainText(m_runLast->next))
            m_runLast = m_runLast->next;
        m_runIsLayout = true;
        for (xmlNodePtr node = first; m_runIsLayout; node = node->next) {
            m_runIsLayout = isBlank(DomEditor::textOf(node));
            if (node == m_runLast)
                break;
        }
        const xmlNodePtr parent = member->parent;
        const bool inBlock =
            hasName(parent, "body") || hasName(parent, "html") || isBlockElement(parent);
        m_runIsLayout =
            m_runIsLayout && (isBlockElement(first->prev) || isBlockElement(m_runLast->next) ||
                              (inBlock && (first->prev == nullptr || m_runLast->next == nullptr)));
    }

    xmlNodePtr m_asked = nullptr;
    xmlNodePtr m_runLast = nullptr;
    bool m_runIsLayout = false;
};

} // namespace

// One walk of the tree in document order, adding the units it meets after those before its
// first node. Walking on past an edited region, it stops at the first text or object that
// the old map holds at the same place: from there on the tree is as it was, and so is the
// map, moved.
class TextMap::Walk
{
public:
    struct Open {
        xmlNodePtr node;
        int start;
    };

    // A walk from the body's start, or one that goes on after the unit before.
    Walk(xmlNodePtr body, int start, const Segment *before)
        : m_body(body), m_start(start),
          m_lastKind(before != nullptr ? std::optional(before->kind) : std::nullopt)
    {
    }

    // Makes the walk stop where it meets the old map again after the region: old is the
    // map's segments, the first after the region at index next.
    void rejoinAfter(const Region &region, const std::vector<Segment> &old, int next)
    {
        m_region = &region;
        m_old = &old;
        m_nextOld = next;
    }

    // Walks from node (null when the innermost open element has nothing more), inside the
    // open elements, outermost first, until the last of them is left or the walk meets the
    // old map. Without recursion, so that no nesting of the page exhausts the stack.
    void run(xmlNodePtr node, std::vector<Open> open)
    {
        for (;;) {
            if (node != nullptr) {
                if (m_region != nullptr && node == m_region->next)
                    m_pastRegion = true;
                const int start = position();
                const bool intoContent = visit(node);
                if (rejoined()) {
                    openAtRejoin = std::move(open);
                    return;
                }
                if (intoContent && node->children != nullptr) {
                    open.push_back({node, start});
                    node = node->children;
                    continue;
                }
                leave(node, intoContent, start);
                if (open.empty())
                    return;
                if (node->next != nullptr) {
                    node = node->next;
                    continue;
                }
            }
            const Open done = open.back();
            open.pop_back();
            if (m_region != nullptr && done.node == m_region->parent)
                m_pastRegion = true;
            leave(done.node, true, done.start);
            if (open.empty())
                return;
            node = done.node->next;
        }
    }

    int position() const { return m_start + static_cast<int>(text.size()); }
    bool rejoined() const { return rejoinedAt >= 0; }

    QString text;
    std::vector<Segment> segments;
    std::vector<std::pair<xmlNodePtr, Span>> spans; // Of the elements the walk left.
    // Where the walk met the old map: the index of the old segment, and the elements open
    // there, which end as they did, moved.
    int rejoinedAt = -1;
    std::vector<Open> openAtRejoin;

private:
    bool visit(xmlNodePtr node)
    {
        switch (node->type) {
        case XML_TEXT_NODE:
        case XML_CDATA_SECTION_NODE: {
            const QString content = DomEditor::textOf(node);
            const bool layout = m_layoutWhitespace.at(node);
            if (!isVerbatim(node) && !content.isEmpty() && !layout)
                append(Segment::Kind::Text, node, content);
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

    // Ends an element after its children: the break that closes a block, and its span.
    void leave(xmlNodePtr node, bool visitedContent, int start)
    {
        if (node->type != XML_ELEMENT_NODE)
            return;
        if (visitedContent && node != m_body && isBlockElement(node) && m_lastKind &&
            *m_lastKind != Segment::Kind::Break)
            append(Segment::Kind::Break, node, QStringLiteral("\n"));
        spans.emplace_back(node, Span{start, position()});
    }

    void append(Segment::Kind kind, xmlNodePtr node, const QString &unitText)
    {
        const Segment segment{kind, node, position(), static_cast<int>(unitText.size())};
        if (m_pastRegion && kind != Segment::Kind::Break && meetsOldMap(segment, unitText))
            return;
        segments.push_back(segment);
        text += unitText;
        m_lastKind = kind;
    }

    // True when the old map holds the same unit next after the region: only breaks of
    // blocks, which an edit may add or take away, come before it.
    bool meetsOldMap(const Segment &segment, const QString &unitText)
    {
        const std::vector<Segment> &old = *m_old;
        int index = m_nextOld;
        while (index < static_cast<int>(old.size()) && old[index].kind == Segment::Kind::Break)
            ++index;
        if (index == static_cast<int>(old.size()) || old[index].node != segment.node ||
            old[index].kind != segment.kind || old[index].length != segment.length) {
            m_pastRegion = false; // One look: if they differ here, the walk goes to the end.
            return false;
        }
        // Blank text may be layout or not by what an edit put beside it: the walk goes on
        // to the next unit.
        if (segment.kind == Segment::Kind::Text && isBlank(unitText)) {
            m_nextOld = index + 1;
            return false;
        }
        m_pastRegion = false;
        rejoinedAt = index;
        return true;
    }

    xmlNodePtr m_body;
    int m_start;
    std::optional<Segment::Kind> m_lastKind;
    const Region *m_region = nullptr;
    const std::vector<Segment> *m_old = nullptr;
    int m_nextOld = 0;
    bool m_pastRegion = false;
    LayoutWhitespace m_layoutWhitespace;
};

TextMap::TextMap(xmlNodePtr body) : m_body(body)
{
    if (body == nullptr)
        return;
    Walk walk(body, 0, nullptr);
    walk.run(body, {});
    m_text = std::move(walk.text);
    m_segments = std::move(walk.segments);
    for (const auto &[node, span] : walk.spans)
        setSpan(node, span);
}

void TextMap::setSpan(xmlNodePtr element, Span span)
{
    const auto [at, added] = m_spanIndex.try_emplace(element, m_spans.size());
    if (added)
        m_spans.emplace_back(element, span);
    else
        m_spans[at->second].second = span;
}

int TextMap::firstSegmentFrom(int position) const
{
    auto it = std::lower_bound(m_segments.begin(), m_segments.end(), position,
                               [](const Segment &s, int p) { return s.start < p; });
    return static_cast<int>(it - m_segments.begin());
}

int TextMap::contentEnd(xmlNodePtr element) const
{
    const int end = spanOf(element).end;
    const int last = end > 0 ? segmentAt(end - 1) : -1;
    const bool closedByBreak = last >= 0 && m_segments[last].kind == Segment::Kind::Break &&
                               m_segments[last].node == element;
    return closedByBreak ? end - 1 : end;
}

TextMap::Region TextMap::regionAround(int from, int to) const
{
    from = std::clamp(from, 0, length());
    to = std::clamp(to, from, length());
    const int beforeIndex = from > 0 ? segmentAt(from - 1) : -1;
    const int afterIndex = segmentAt(to);
    const xmlNodePtr before = beforeIndex >= 0 ? m_segments[beforeIndex].node : nullptr;
    const xmlNodePtr after = afterIndex >= 0 ? m_segments[afterIndex].node : nullptr;
    xmlNodePtr parent =
        before != nullptr && after != nullptr ? DomEditor::commonAncestor(before, after) : m_body;
    if (parent->type != XML_ELEMENT_NODE)
        parent = parent->parent;
    Region region{parent, nullptr, nullptr, spanOf(parent).start, contentEnd(parent)};
    if (before != nullptr)
        region.first = DomEditor::childToward(parent, before);
    if (region.first != nullptr && region.first->type == XML_ELEMENT_NODE) {
        region.start = spanOf(region.first).start;
    } else if (region.first != nullptr) {
        // Whether blank text is layout depends on the text beside it: the region takes in
        // the whole run of text nodes around the edit.
        int firstIndex = beforeIndex;
        while (isPlainText(region.first->prev)) {
            region.first = region.first->prev;
            if (firstIndex > 0 && m_segments[firstIndex - 1].node == region.first)
                --firstIndex;
        }
        region.start = m_segments[firstIndex].start;
    }
    // New nodes may follow the last child the edit touches (the tail of a text it splits):
    // the region ends before the child after it.
    const xmlNodePtr last = after != nullptr ? DomEditor::childToward(parent, after) : nullptr;
    if (last != nullptr && last->type == XML_ELEMENT_NODE) {
        region.next = last->next;
        region.end = spanOf(last).end;
    } else if (last != nullptr) {
        int lastIndex = afterIndex;
        xmlNodePtr node = last;
        for (; isPlainText(node->next); node = node->next) {
            if (lastIndex + 1 < static_cast<int>(m_segments.size()) &&
                m_segments[lastIndex + 1].node == node->next)
                ++lastIndex;
        }
        region.next = node->next;
        region.end = m_segments[lastIndex].end();
    }
    return region;
}

void TextMap::update(const Region &region)
{
    const int firstChanged = firstSegmentFrom(region.start);
    Walk walk(m_body, region.start, firstChanged > 0 ? &m_segments[firstChanged - 1] : nullptr);
    walk.rejoinAfter(region, m_segments, firstSegmentFrom(region.end));
    std::vector<Walk::Open> open;
    for (xmlNodePtr node = region.parent;; node = node->parent) {
        open.insert(open.begin(), {node, spanOf(node).start});
        if (node == m_body)
            break;
    }
    walk.run(region.first != nullptr ? region.first : region.parent->children, std::move(open));

    // The old units from where the walk stopped keep their order and only move.
    const int keptFrom = walk.rejoined() ? walk.rejoinedAt : static_cast<int>(m_segments.size());
    const int oldStop = walk.rejoined() ? m_segments[keptFrom].start : length();
    const int delta = walk.position() - oldStop;
    m_text.replace(region.start, oldStop - region.start, walk.text);
    m_segments.erase(m_segments.begin() + firstChanged, m_segments.begin() + keptFrom);
    const auto kept = m_segments.insert(m_segments.begin() + firstChanged, walk.segments.begin(),
                                        walk.segments.end()) +
                      static_cast<std::ptrdiff_t>(walk.segments.size());
    for (auto it = kept; it != m_segments.end(); ++it)
        it->start += delta;
    if (delta != 0) {
        for (auto &[node, span] : m_spans) {
            if (span.start >= oldStop)
                span.start += delta;
            if (span.end >= oldStop)
                span.end += delta;
        }
    }
    for (const auto &[node, span] : walk.spans)
        setSpan(node, span);
    for (const Walk::Open &element : walk.openAtRejoin)
        spanOf(element.node).start = element.start;
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
        // The break of an element that holds nothing (<hr>) is the element itself.
        if (isVoidElement(segment.node))
            return {segment.node->parent, DomEditor::indexOf(segment.node)};
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
    // Elements the edits took out keep their last span here; they are outside the body.
    const auto found = m_spanIndex.find(node);
    if (found == m_spanIndex.end() || !DomEditor::isInclusiveAncestor(m_body, node))
        return {length(), length()};
    const Span &known = m_spans[found->second].second;
    return {known.start, known.end};
}

xmlNodePtr TextMap::nodeAt(int position) const
{
    const int index = segmentAt(position);
    return index < 0 ? nullptr : m_segments[index].node;
}

} // namespace office::page

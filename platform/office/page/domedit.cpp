#include "platform/office/page/domedit.h"

#include "platform/office/page/htmlnodes.h"

namespace office::page
{
namespace
{

bool isText(xmlNodePtr node)
{
    return node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE;
}

// Edits copy the text of the node they change. A text longer than this is cut into nodes
// of about TextPieceLength characters before the first edit.
constexpr int LongestEditedText = 2048;
constexpr int TextPieceLength = 1024;

// Where to cut a long text: every TextPieceLength characters or a little later, never
// inside a surrogate pair, and so that no piece is blank, since blank text beside a block
// is layout, not text.
std::vector<int> cutsOf(const QString &text)
{
    std::vector<int> cuts;
    int pieceStart = 0;
    bool pieceHasText = false;
    for (int i = 0; i < text.size(); ++i) {
        pieceHasText = pieceHasText || !text[i].isSpace();
        const int cut = i + 1;
        if (cut - pieceStart >= TextPieceLength && pieceHasText && cut < text.size() &&
            !text[i].isHighSurrogate()) {
            cuts.push_back(cut);
            pieceStart = cut;
            pieceHasText = false;
        }
    }
    if (!pieceHasText && !cuts.empty())
        cuts.pop_back(); // a blank last piece stays with the one before
    return cuts;
}

int depthOf(xmlNodePtr node)
{
    int depth = 0;
    for (; node != nullptr; node = node->parent)
        ++depth;
    return depth;
}

// How a span lies in the tree: the deepest node holding both ends, and its children
// through which the two ends are reached (null when an end is on common itself).
struct SpanParts {
    xmlNodePtr common;
    xmlNodePtr firstPartial;
    xmlNodePtr lastPartial;
};

SpanParts partsOf(DomPoint start, DomPoint end)
{
    const xmlNodePtr common = DomEditor::commonAncestor(start.node, end.node);
    return {common,
            DomEditor::isInclusiveAncestor(start.node, end.node)
                ? nullptr
                : DomEditor::childToward(common, start.node),
            DomEditor::isInclusiveAncestor(end.node, start.node)
                ? nullptr
                : DomEditor::childToward(common, end.node)};
}

// The children of the common ancestor that lie wholly between start and end.
std::vector<xmlNodePtr> containedChildren(const SpanParts &parts, DomPoint start, DomPoint end)
{
    const int from =
        parts.firstPartial != nullptr ? DomEditor::indexOf(parts.firstPartial) + 1 : start.offset;
    const int to =
        parts.lastPartial != nullptr ? DomEditor::indexOf(parts.lastPartial) : end.offset;
    std::vector<xmlNodePtr> children;
    xmlNodePtr child = DomEditor::childAt(parts.common, from);
    for (int i = from; i < to && child != nullptr; ++i, child = child->next)
        children.push_back(child);
    return children;
}

// The children of parent before the one at index, or from it on.
std::vector<xmlNodePtr> childrenBeside(xmlNodePtr parent, int index, Side side)
{
    std::vector<xmlNodePtr> children;
    int at = 0;
    for (xmlNodePtr child = parent->children; child != nullptr; child = child->next, ++at) {
        if ((at >= index) == (side == Side::After))
            children.push_back(child);
    }
    return children;
}

// The siblings of node on one side of it.
std::vector<xmlNodePtr> siblingsBeside(xmlNodePtr node, Side side)
{
    return childrenBeside(node->parent, DomEditor::indexOf(node) + (side == Side::After ? 1 : 0),
                          side);
}

QString textBeside(DomPoint point, Side side)
{
    const QString text = DomEditor::textOf(point.node);
    return side == Side::After ? text.mid(point.offset) : text.left(point.offset);
}

} // namespace

DomEditor::~DomEditor()
{
    for (xmlNodePtr node : m_removed)
        xmlFreeNode(node);
}

QString DomEditor::textOf(xmlNodePtr textNode)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(textNode->content));
}

void DomEditor::setTextOf(xmlNodePtr textNode, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    xmlNodeSetContent(textNode, reinterpret_cast<const xmlChar *>(utf8.constData()));
}

xmlNodePtr DomEditor::newText(const QString &text) const
{
    const QByteArray utf8 = text.toUtf8();
    return xmlNewDocTextLen(m_doc, reinterpret_cast<const xmlChar *>(utf8.constData()),
                            static_cast<int>(utf8.size()));
}

int DomEditor::length(xmlNodePtr node)
{
    if (isText(node))
        return static_cast<int>(textOf(node).size());
    int count = 0;
    for (xmlNodePtr child = node->children; child != nullptr; child = child->next)
        ++count;
    return count;
}

int DomEditor::indexOf(xmlNodePtr node)
{
    int index = 0;
    for (xmlNodePtr sibling = node->prev; sibling != nullptr; sibling = sibling->prev)
        ++index;
    return index;
}

xmlNodePtr DomEditor::childAt(xmlNodePtr parent, int index)
{
    xmlNodePtr child = parent->children;
    for (int i = 0; i < index && child != nullptr; ++i)
        child = child->next;
    return child;
}

xmlNodePtr DomEditor::childToward(xmlNodePtr ancestor, xmlNodePtr node)
{
    while (node != nullptr && node->parent != ancestor)
        node = node->parent;
    return node;
}

bool DomEditor::isInclusiveAncestor(xmlNodePtr ancestor, xmlNodePtr node)
{
    for (; node != nullptr; node = node->parent) {
        if (node == ancestor)
            return true;
    }
    return false;
}

xmlNodePtr DomEditor::commonAncestor(xmlNodePtr a, xmlNodePtr b)
{
    // Level the two paths, then climb both together: linear in the depth of the page.
    int depthA = depthOf(a);
    int depthB = depthOf(b);
    for (; depthA > depthB; --depthA)
        a = a->parent;
    for (; depthB > depthA; --depthB)
        b = b->parent;
    while (a != b) {
        a = a->parent;
        b = b->parent;
    }
    return a;
}

bool DomEditor::isAttached(xmlNodePtr node) const
{
    return isInclusiveAncestor(reinterpret_cast<xmlNodePtr>(m_doc), node);
}

void DomEditor::link(xmlNodePtr parent, xmlNodePtr node, xmlNodePtr before) const
{
    xmlSetTreeDoc(node, m_doc);
    node->parent = parent;
    node->next = before;
    node->prev = before != nullptr ? before->prev : parent->last;
    if (node->prev != nullptr)
        node->prev->next = node;
    else
        parent->children = node;
    if (before != nullptr)
        before->prev = node;
    else
        parent->last = node;
}

void DomEditor::remove(xmlNodePtr node)
{
    xmlUnlinkNode(node);
    m_removed.push_back(node);
}

void DomEditor::discard(const std::vector<xmlNodePtr> &nodes)
{
    for (xmlNodePtr node : nodes)
        xmlFreeNode(node);
}

std::vector<xmlNodePtr> DomEditor::cloneContents(DomPoint start, DomPoint end) const
{
    if (start.node == end.node && isText(start.node))
        return {newText(textOf(start.node).mid(start.offset, end.offset - start.offset))};

    const SpanParts parts = partsOf(start, end);
    std::vector<xmlNodePtr> nodes;
    if (parts.firstPartial != nullptr)
        nodes.push_back(cloneBeside(start, parts.firstPartial, Side::After));
    for (xmlNodePtr child : containedChildren(parts, start, end))
        nodes.push_back(copyTree(child, m_doc));
    if (parts.lastPartial != nullptr)
        nodes.push_back(cloneBeside(end, parts.lastPartial, Side::Before));
    return nodes;
}

xmlNodePtr DomEditor::cloneBeside(DomPoint point, xmlNodePtr top, Side side) const
{
    // From the point up to top, each level a shallow copy of the element with its content on
    // that side: no recursion, however deep the point lies.
    xmlNodePtr piece = nullptr;
    if (isText(point.node)) {
        piece = newText(textBeside(point, side));
    } else {
        piece = xmlDocCopyNode(point.node, m_doc, 2);
        for (xmlNodePtr child : childrenBeside(point.node, point.offset, side))
            link(piece, copyTree(child, m_doc), nullptr);
    }
    for (xmlNodePtr node = point.node; node != top; node = node->parent) {
        xmlNodePtr copy = xmlDocCopyNode(node->parent, m_doc, 2);
        for (xmlNodePtr sibling : siblingsBeside(node, side))
            link(copy, copyTree(sibling, m_doc), nullptr);
        link(copy, piece, side == Side::After ? copy->children : nullptr);
        piece = copy;
    }
    return piece;
}

void DomEditor::replaceContents(DomPoint start, DomPoint end, Placement placement,
                                const std::function<void(DomPoint)> &fill)
{
    const SpanParts parts = partsOf(start, end);
    deleteBetween(start, end);

    // The cut element after which new content goes may itself be left empty; the content
    // then goes where it stood.
    xmlNodePtr after = placement == Placement::AfterCutElements ? parts.firstPartial : nullptr;
    fill(after != nullptr ? DomPoint{parts.common, indexOf(after) + 1} : start);
    // What the deletion emptied of the elements it cut goes, so that deleting a whole
    // paragraph with its break leaves no empty paragraph behind.
    if (parts.firstPartial != nullptr)
        removeEmptied(start.node, parts.firstPartial);
    if (parts.lastPartial != nullptr)
        removeEmptied(end.node, parts.lastPartial);
}

void DomEditor::removeEmptied(xmlNodePtr node, xmlNodePtr top)
{
    while (node != nullptr) {
        const bool empty =
            isText(node) ? textOf(node).isEmpty()
                         : node->children == nullptr && !isVoidElement(node) && !isStructural(node);
        if (!empty)
            return;
        xmlNodePtr parent = node->parent;
        remove(node);
        node = node == top ? nullptr : parent;
    }
}

void DomEditor::deleteBetween(DomPoint start, DomPoint end)
{
    if (start.node == end.node && isText(start.node)) {
        QString text = textOf(start.node);
        text.remove(start.offset, end.offset - start.offset);
        setTextOf(start.node, text);
        return;
    }
    const SpanParts parts = partsOf(start, end);
    const std::vector<xmlNodePtr> contained = containedChildren(parts, start, end);
    if (parts.firstPartial != nullptr)
        deleteBeside(start, parts.firstPartial, Side::After);
    for (xmlNodePtr child : contained)
        remove(child);
    if (parts.lastPartial != nullptr)
        deleteBeside(end, parts.lastPartial, Side::Before);
}

void DomEditor::deleteBeside(DomPoint point, xmlNodePtr top, Side side)
{
    if (isText(point.node)) {
        // The text keeps what lies on the other side.
        setTextOf(point.node, textBeside(point, side == Side::After ? Side::Before : Side::After));
    } else {
        for (xmlNodePtr child : childrenBeside(point.node, point.offset, side))
            remove(child);
    }
    for (xmlNodePtr node = point.node; node != top; node = node->parent) {
        for (xmlNodePtr sibling : siblingsBeside(node, side))
            remove(sibling);
    }
}

void DomEditor::insertNodes(DomPoint point, const std::vector<xmlNodePtr> &nodes)
{
    xmlNodePtr parent = point.node;
    xmlNodePtr before = nullptr;
    if (isText(point.node)) {
        parent = point.node->parent;
        const QString text = textOf(point.node);
        if (point.offset <= 0) {
            before = point.node;
        } else if (point.offset >= text.size()) {
            before = point.node->next;
        } else {
            xmlNodePtr tail = newText(text.mid(point.offset));
            setTextOf(point.node, text.left(point.offset));
            link(parent, tail, point.node->next);
            before = tail;
        }
    } else {
        before = childAt(parent, point.offset);
    }
    for (xmlNodePtr node : nodes)
        link(parent, node, before);
}

void DomEditor::cutLongTexts(xmlNodePtr root)
{
    std::vector<xmlNodePtr> texts;
    for (xmlNodePtr node = root; node != nullptr; node = nextInTree(node, root)) {
        if (node->type == XML_TEXT_NODE)
            texts.push_back(node);
    }
    for (xmlNodePtr text : texts)
        cutLongText(text);
}

void DomEditor::cutLongText(xmlNodePtr textNode)
{
    // Raw text (verbatim markup, script and style) is written as it stands: never cut.
    if (textNode->type != XML_TEXT_NODE || isVerbatim(textNode) ||
        hasName(textNode->parent, "script") || hasName(textNode->parent, "style") ||
        xmlStrlen(textNode->content) <= LongestEditedText)
        return;
    const QString text = textOf(textNode);
    if (text.size() <= LongestEditedText)
        return;
    const std::vector<int> cuts = cutsOf(text);
    if (cuts.empty())
        return;
    xmlNodePtr next = textNode->next;
    for (size_t i = 0; i < cuts.size(); ++i) {
        const int end = i + 1 < cuts.size() ? cuts[i + 1] : int(text.size());
        link(textNode->parent, newText(text.mid(cuts[i], end - cuts[i])), next);
    }
    setTextOf(textNode, text.left(cuts.front()));
}

void DomEditor::insertText(DomPoint point, const QString &text)
{
    if (text.isEmpty())
        return;
    if (isText(point.node)) {
        QString content = textOf(point.node);
        content.insert(point.offset, text);
        setTextOf(point.node, content);
        return;
    }
    insertNodes(point, {newText(text)});
}

} // namespace office::page

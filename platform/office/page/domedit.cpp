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

// The child of ancestor on the way down to node.
xmlNodePtr childToward(xmlNodePtr ancestor, xmlNodePtr node)
{
    while (node != nullptr && node->parent != ancestor)
        node = node->parent;
    return node;
}

xmlNodePtr commonAncestor(xmlNodePtr a, xmlNodePtr b)
{
    xmlNodePtr common = a;
    while (common != nullptr && !DomEditor::isInclusiveAncestor(common, b))
        common = common->parent;
    return common;
}

// The children of the common ancestor that lie wholly between start and end, given the
// children through which the two points are reached (null when a point is on common).
std::vector<xmlNodePtr> containedChildren(xmlNodePtr common, DomPoint start, DomPoint end,
                                          xmlNodePtr firstPartial, xmlNodePtr lastPartial)
{
    const int from = firstPartial != nullptr ? DomEditor::indexOf(firstPartial) + 1 : start.offset;
    const int to = lastPartial != nullptr ? DomEditor::indexOf(lastPartial) : end.offset;
    std::vector<xmlNodePtr> children;
    xmlNodePtr child = DomEditor::childAt(common, from);
    for (int i = from; i < to && child != nullptr; ++i, child = child->next)
        children.push_back(child);
    return children;
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

bool DomEditor::isInclusiveAncestor(xmlNodePtr ancestor, xmlNodePtr node)
{
    for (; node != nullptr; node = node->parent) {
        if (node == ancestor)
            return true;
    }
    return false;
}

bool DomEditor::isAttached(xmlNodePtr node) const
{
    return isInclusiveAncestor(reinterpret_cast<xmlNodePtr>(m_doc), node);
}

void DomEditor::link(xmlNodePtr parent, xmlNodePtr node, xmlNodePtr before)
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

    const xmlNodePtr common = commonAncestor(start.node, end.node);
    const xmlNodePtr firstPartial =
        isInclusiveAncestor(start.node, end.node) ? nullptr : childToward(common, start.node);
    const xmlNodePtr lastPartial =
        isInclusiveAncestor(end.node, start.node) ? nullptr : childToward(common, end.node);

    std::vector<xmlNodePtr> nodes;
    auto partialCopy = [&](xmlNodePtr partial, DomPoint from, DomPoint to) {
        if (isText(partial)) {
            nodes.push_back(newText(textOf(partial).mid(from.offset, to.offset - from.offset)));
            return;
        }
        xmlNodePtr copy = xmlDocCopyNode(partial, m_doc, 2);
        for (xmlNodePtr child : cloneContents(from, to))
            xmlAddChild(copy, child);
        nodes.push_back(copy);
    };
    if (firstPartial != nullptr)
        partialCopy(firstPartial, start, {firstPartial, length(firstPartial)});
    for (xmlNodePtr child : containedChildren(common, start, end, firstPartial, lastPartial))
        nodes.push_back(xmlDocCopyNode(child, m_doc, 1));
    if (lastPartial != nullptr)
        partialCopy(lastPartial, {lastPartial, 0}, end);
    return nodes;
}

void DomEditor::replaceContents(DomPoint start, DomPoint end, Placement placement,
                                const std::function<void(DomPoint)> &fill)
{
    const xmlNodePtr common = commonAncestor(start.node, end.node);
    const xmlNodePtr firstPartial =
        isInclusiveAncestor(start.node, end.node) ? nullptr : childToward(common, start.node);
    const xmlNodePtr lastPartial =
        isInclusiveAncestor(end.node, start.node) ? nullptr : childToward(common, end.node);
    deleteBetween(start, end);

    // The cut element after which new content goes may itself be left empty; the content
    // then goes where it stood.
    xmlNodePtr after = placement == Placement::AfterCutElements ? firstPartial : nullptr;
    fill(after != nullptr ? DomPoint{common, indexOf(after) + 1} : start);
    // What the deletion emptied of the elements it cut goes, so that deleting a whole
    // paragraph with its break leaves no empty paragraph behind.
    if (firstPartial != nullptr)
        removeEmptied(start.node, firstPartial);
    if (lastPartial != nullptr)
        removeEmptied(end.node, lastPartial);
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
    const xmlNodePtr common = commonAncestor(start.node, end.node);
    const xmlNodePtr firstPartial =
        isInclusiveAncestor(start.node, end.node) ? nullptr : childToward(common, start.node);
    const xmlNodePtr lastPartial =
        isInclusiveAncestor(end.node, start.node) ? nullptr : childToward(common, end.node);
    const std::vector<xmlNodePtr> contained =
        containedChildren(common, start, end, firstPartial, lastPartial);

    if (firstPartial != nullptr)
        deleteBetween(start, {firstPartial, length(firstPartial)});
    for (xmlNodePtr child : contained)
        remove(child);
    if (lastPartial != nullptr)
        deleteBetween({lastPartial, 0}, end);
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

#pragma once

#include <QString>
#include <functional>
#include <libxml/tree.h>
#include <vector>

namespace office::page
{

// Which side of a point a part of an edit takes.
enum class Side { Before, After };

// A place in the tree between two units: in a text node, an offset in UTF-16 units; in an
// element, the index of the child it stands before.
struct DomPoint {
    xmlNodePtr node = nullptr;
    int offset = 0;
};

// Edits of a page's tree with the semantics of DOM ranges. Nodes taken out of the tree are
// kept until the editor goes, so that handles to them stay safe to read; libxml2's own
// linking functions are avoided because they merge and free adjacent text nodes.
class DomEditor
{
public:
    explicit DomEditor(xmlDocPtr doc) : m_doc(doc) {}
    ~DomEditor();
    DomEditor(const DomEditor &) = delete;
    DomEditor &operator=(const DomEditor &) = delete;

    xmlDocPtr doc() const { return m_doc; }

    // Copies of what lies between start and end, with shallow copies of the elements the
    // span covers in part. The copies belong to the document but are not in its tree;
    // release them with discard().
    std::vector<xmlNodePtr> cloneContents(DomPoint start, DomPoint end) const;
    // Where replaceContents puts the new content: at the start point, inside the elements
    // there, so that it takes their formatting; or after the elements cut at the start, for
    // HTML that brings its own tags.
    enum class Placement { AtStart, AfterCutElements };

    // Removes what lies between start and end (elements covered in part keep the rest of
    // their content), lets fill() put new content where it was, then removes the elements
    // that the removal left empty.
    void replaceContents(DomPoint start, DomPoint end, Placement placement,
                         const std::function<void(DomPoint)> &fill);
    // Inserts nodes (not yet in the tree) at the point, splitting a text node when the point
    // is inside one.
    void insertNodes(DomPoint point, const std::vector<xmlNodePtr> &nodes);
    // Inserts plain text at the point; in a text node it joins that node's text.
    void insertText(DomPoint point, const QString &text);
    // Cuts each long text node under root into several that follow one another, so that
    // edits of it copy only the piece they change. The page reads and writes the same.
    void cutLongTexts(xmlNodePtr root);
    // Takes the node out of the tree and keeps it until the editor goes.
    void remove(xmlNodePtr node);
    void discard(const std::vector<xmlNodePtr> &nodes);

    xmlNodePtr newText(const QString &text) const;

    static QString textOf(xmlNodePtr textNode);
    static int length(xmlNodePtr node);
    static int indexOf(xmlNodePtr node);
    static xmlNodePtr childAt(xmlNodePtr parent, int index);
    // The child of ancestor on the way down to node; null when node is not below ancestor.
    static xmlNodePtr childToward(xmlNodePtr ancestor, xmlNodePtr node);
    static bool isInclusiveAncestor(xmlNodePtr ancestor, xmlNodePtr node);
    // The deepest node that is an inclusive ancestor of both; null when they share none.
    static xmlNodePtr commonAncestor(xmlNodePtr a, xmlNodePtr b);
    // True while the node is part of the document's tree.
    bool isAttached(xmlNodePtr node) const;

private:
    void link(xmlNodePtr parent, xmlNodePtr node, xmlNodePtr before) const;
    void deleteBetween(DomPoint start, DomPoint end);
    // What lies inside top on one side of the point: copied as a copy of top, or removed.
    // Both climb from the point to top without recursion.
    xmlNodePtr cloneBeside(DomPoint point, xmlNodePtr top, Side side) const;
    void deleteBeside(DomPoint point, xmlNodePtr top, Side side);
    // Removes node and then its ancestors up to top while they are empty.
    void removeEmptied(xmlNodePtr node, xmlNodePtr top);
    static void setTextOf(xmlNodePtr textNode, const QString &text);
    void cutLongText(xmlNodePtr textNode);

    xmlDocPtr m_doc; // Not owned.
    std::vector<xmlNodePtr> m_removed;
};

} // namespace office::page

#pragma once

#include <QPixmap>
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

class OutlineListModel;

// One item of an outline list and the subtree below it. An item owns its children; it
// knows its row under its parent and the number of items below it, so that display
// positions are found without walking the list.
class OutlineItem
{
public:
    OutlineItem() = default;
    OutlineItem(const OutlineItem &) = delete;
    OutlineItem &operator=(const OutlineItem &) = delete;

    // What the list shows and keeps for the item.
    QString text;       // rich text (GlyphRtf) when richText is set
    QString fontName;   // empty: the list's typeface
    qreal fontSize = 0; // 0: the list's size
    qint32 data = 0;    // ItemData
    QVariant flag;      // ItemFlag
    QPixmap picture;    // usually one of the list's stock pictures, shared
    int mark = 0;       // index into the list's mark table
    bool richText = false;
    bool expanded = false;

    OutlineItem *parent() const { return m_parent; }
    int row() const { return m_row; }
    int childCount() const { return static_cast<int>(m_children.size()); }
    OutlineItem *child(int row) const { return m_children[static_cast<size_t>(row)].get(); }
    // Items below this one, at any depth.
    int descendantCount() const { return m_descendants; }

    // Adds a last child; every ancestor counts it among its descendants.
    OutlineItem *appendChild(const QString &text);
    // Detaches the child at `row` with its subtree; the rows of later siblings close up.
    std::unique_ptr<OutlineItem> takeChild(int row);
    void clearChildren();

private:
    friend class OutlineListModel;

    OutlineItem *m_parent = nullptr; // not owned
    int m_row = 0;
    int m_descendants = 0;
    std::vector<std::unique_ptr<OutlineItem>> m_children;

    // The model's bookkeeping of what its view has been told: a published item is known to
    // the view, and so are the first m_publishedChildren of its children.
    bool m_published = false;
    int m_publishedChildren = 0;
    bool m_awaitsPublishing = false;    // published, with children the view does not know yet
    mutable int m_cachedListIndex = -1; // display position; right when the model agrees
};

#pragma once

#include "vbprog/murvel/views/outlineitem.h"

#include <QAbstractItemModel>
#include <vector>

// The items of an outline list as a tree model. Items are addressed by their list index:
// the zero-based position in display order, where an item's children (expanded or not)
// follow it before its next sibling.
//
// Adding at the end of the display order, which is what the loaders do, costs O(1)
// amortised; finding an item by its list index is O(1). While a batch is open, changes of
// structure are not announced one by one: the view learns of the items added during the
// batch when it ends, in one insertion per parent that grew. Removals are announced at
// once, so the view never holds an index of a deleted item.
class OutlineListModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    enum Column { MarkColumn, TextColumn, ColumnCount };
    enum Role {
        DataRole = Qt::UserRole, // ItemData, a number
        MarkRole,                // index into the list's mark table
        FontNameRole,            // the item's own typeface; empty: the list's
        FontSizeRole,            // the item's own size; 0: the list's
        RichTextRole,            // true: SourceTextRole is GlyphRtf
        SourceTextRole,          // the text as stored (DisplayRole is the plain text)
    };

    explicit OutlineListModel(QObject *parent = nullptr);

    int count() const { return static_cast<int>(m_order.size()); }
    // nullptr outside 0..count() - 1.
    OutlineItem *item(int listIndex) const;
    int listIndex(const OutlineItem *item) const;
    int listIndex(const QModelIndex &index) const; // -1 for an invalid index
    // Invalid for an item the view does not know yet (added during an open batch).
    QModelIndex modelIndex(const OutlineItem *item, int column = TextColumn) const;

    // Adds an item as the last child of the item at parentIndex, or at top level when
    // parentIndex is -1, and returns its list index; -1 (nothing added) for a parent
    // index outside the list.
    int append(const QString &text, int parentIndex = -1);
    // Removes the item and everything below it.
    void remove(int listIndex);
    void clear();
    // Tells the view that something the item shows has changed (later, while batching).
    void itemChanged(const OutlineItem *item);

    void beginBatch();
    // Publishes what was added during the batch. Returns whether items the view knew of
    // changed while it was open, which the view then has to lay out again.
    bool endBatch();

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &index) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    static OutlineItem *itemOf(const QModelIndex &index);

private:
    const OutlineItem *parentItemOf(const QModelIndex &parent) const;
    void publishSubtree(OutlineItem *item);
    void forgetAwaiting(OutlineItem *subtree);

    OutlineItem m_root;
    std::vector<OutlineItem *> m_order;    // display order; the items belong to m_root's tree
    std::vector<OutlineItem *> m_awaiting; // published items with unpublished children
    bool m_batching = false;
    bool m_changedWhileBatching = false;
};

#include "vbprog/murvel/views/outlinelistmodel.h"

#include "vbprog/murvel/core/rtfreader.h"

#include <algorithm>
#include <utility>

namespace
{

QString plainText(const OutlineItem &item)
{
    if (!item.richText)
        return item.text;
    QString text;
    for (const RtfRun &run : ReadGlyphRtf(item.text))
        text += run.text;
    return text;
}

} // namespace

OutlineListModel::OutlineListModel(QObject *parent) : QAbstractItemModel(parent)
{
    m_root.m_published = true;
}

OutlineItem *OutlineListModel::item(int listIndex) const
{
    return listIndex >= 0 && listIndex < count() ? m_order[static_cast<size_t>(listIndex)]
                                                 : nullptr;
}

int OutlineListModel::listIndex(const OutlineItem *item) const
{
    if (item == nullptr || item == &m_root)
        return -1;
    const int cached = item->m_cachedListIndex;
    if (cached >= 0 && cached < count() && m_order[static_cast<size_t>(cached)] == item)
        return cached;
    // Insertions and removals before an item leave its cached position stale; one pass
    // brings every item up to date.
    for (size_t position = 0; position < m_order.size(); ++position)
        m_order[position]->m_cachedListIndex = static_cast<int>(position);
    return item->m_cachedListIndex;
}

int OutlineListModel::listIndex(const QModelIndex &index) const
{
    return listIndex(itemOf(index));
}

QModelIndex OutlineListModel::modelIndex(const OutlineItem *item, int column) const
{
    if (item == nullptr || item == &m_root || !item->m_published)
        return {};
    return createIndex(item->row(), column, item);
}

int OutlineListModel::append(const QString &text, int parentIndex)
{
    OutlineItem *parent = parentIndex == -1 ? &m_root : item(parentIndex);
    if (parent == nullptr)
        return -1;
    const int position = parent == &m_root ? count() : parentIndex + 1 + parent->descendantCount();
    // Outside a batch every item is published, the parent included.
    const bool announce = !m_batching;
    if (announce)
        beginInsertRows(modelIndex(parent, 0), parent->childCount(), parent->childCount());
    OutlineItem *child = parent->appendChild(text);
    m_order.insert(m_order.begin() + position, child);
    child->m_cachedListIndex = position;
    if (announce) {
        child->m_published = true;
        ++parent->m_publishedChildren;
        endInsertRows();
    } else if (parent->m_published && !parent->m_awaitsPublishing) {
        parent->m_awaitsPublishing = true;
        m_awaiting.push_back(parent);
    }
    return position;
}

void OutlineListModel::remove(int listIndex)
{
    OutlineItem *removed = item(listIndex);
    if (removed == nullptr)
        return;
    OutlineItem *parent = removed->parent();
    const int row = removed->row();
    // A published item is one of its parent's first m_publishedChildren children.
    const bool announce = removed->m_published;
    if (announce)
        beginRemoveRows(modelIndex(parent, 0), row, row);
    if (!m_awaiting.empty())
        forgetAwaiting(removed);
    const auto first = m_order.begin() + listIndex;
    m_order.erase(first, first + 1 + removed->descendantCount());
    const std::unique_ptr<OutlineItem> taken = parent->takeChild(row);
    if (announce) {
        --parent->m_publishedChildren;
        endRemoveRows();
    }
}

void OutlineListModel::clear()
{
    beginResetModel();
    m_root.clearChildren();
    m_root.m_awaitsPublishing = false;
    m_order.clear();
    m_awaiting.clear();
    endResetModel();
}

void OutlineListModel::itemChanged(const OutlineItem *item)
{
    if (item == nullptr || !item->m_published)
        return;
    if (m_batching) {
        m_changedWhileBatching = true;
        return;
    }
    emit dataChanged(modelIndex(item, MarkColumn), modelIndex(item, TextColumn));
}

void OutlineListModel::beginBatch()
{
    m_batching = true;
}

bool OutlineListModel::endBatch()
{
    m_batching = false;
    for (OutlineItem *parent : std::exchange(m_awaiting, {})) {
        parent->m_awaitsPublishing = false;
        const int first = parent->m_publishedChildren;
        const int last = parent->childCount() - 1;
        if (last < first)
            continue;
        beginInsertRows(modelIndex(parent, 0), first, last);
        for (int row = first; row <= last; ++row)
            publishSubtree(parent->child(row));
        parent->m_publishedChildren = last + 1;
        endInsertRows();
    }
    return std::exchange(m_changedWhileBatching, false);
}

void OutlineListModel::publishSubtree(OutlineItem *item)
{
    item->m_published = true;
    item->m_publishedChildren = item->childCount();
    for (const auto &child : item->m_children)
        publishSubtree(child.get());
}

void OutlineListModel::forgetAwaiting(OutlineItem *subtree)
{
    if (subtree->m_awaitsPublishing) {
        subtree->m_awaitsPublishing = false;
        std::erase(m_awaiting, subtree);
    }
    for (const auto &child : subtree->m_children)
        forgetAwaiting(child.get());
}

OutlineItem *OutlineListModel::itemOf(const QModelIndex &index)
{
    return index.isValid() ? static_cast<OutlineItem *>(index.internalPointer()) : nullptr;
}

const OutlineItem *OutlineListModel::parentItemOf(const QModelIndex &parent) const
{
    return parent.isValid() ? itemOf(parent) : &m_root;
}

QModelIndex OutlineListModel::index(int row, int column, const QModelIndex &parent) const
{
    if (parent.column() > 0 || column < 0 || column >= ColumnCount)
        return {};
    const OutlineItem *parentItem = parentItemOf(parent);
    if (row < 0 || row >= parentItem->m_publishedChildren)
        return {};
    return createIndex(row, column, parentItem->child(row));
}

QModelIndex OutlineListModel::parent(const QModelIndex &index) const
{
    const OutlineItem *item = itemOf(index);
    return item != nullptr ? modelIndex(item->parent(), 0) : QModelIndex();
}

int OutlineListModel::rowCount(const QModelIndex &parent) const
{
    // Children hang under the first column only.
    return parent.column() > 0 ? 0 : parentItemOf(parent)->m_publishedChildren;
}

int OutlineListModel::columnCount(const QModelIndex &) const
{
    return ColumnCount;
}

QVariant OutlineListModel::data(const QModelIndex &index, int role) const
{
    const OutlineItem *item = itemOf(index);
    if (item == nullptr)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == TextColumn ? QVariant(plainText(*item)) : QVariant();
    case Qt::DecorationRole:
        return index.column() == TextColumn ? QVariant(item->picture) : QVariant();
    case DataRole:
        return item->data;
    case MarkRole:
        return item->mark;
    case FontNameRole:
        return item->fontName;
    case FontSizeRole:
        return item->fontSize;
    case RichTextRole:
        return item->richText;
    case SourceTextRole:
        return item->text;
    default:
        return {};
    }
}

Qt::ItemFlags OutlineListModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

#include "vbprog/murvel/views/outlinelist.h"

#include "platform/vb/twips.h"
#include "vbprog/murvel/views/outlinelistdelegate.h"
#include "vbprog/murvel/views/outlinelistmodel.h"
#include "vbprog/murvel/views/stockpictures.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QPainter>
#include <utility>

namespace
{

constexpr int kMarkColumnWidth = stockpictures::kSize + 4;

int buttonBits(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

int shiftBits(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

// Sets a flag for the lifetime of the guard.
class FlagGuard
{
public:
    explicit FlagGuard(bool &flag) : m_flag(flag), m_was(std::exchange(flag, true)) {}
    ~FlagGuard() { m_flag = m_was; }
    FlagGuard(const FlagGuard &) = delete;
    FlagGuard &operator=(const FlagGuard &) = delete;

private:
    bool &m_flag;
    bool m_was;
};

} // namespace

int OutlineCell::RichText() const
{
    const OutlineItem *item = m_list->itemAt(m_index);
    return item != nullptr && item->richText ? 1 : 0;
}

void OutlineCell::setRichText(int richText)
{
    if (OutlineItem *item = m_list->itemAt(m_index)) {
        item->richText = richText == 1;
        m_list->changed(item);
    }
}

OutlineList::OutlineList(QWidget *parent)
    : QTreeView(parent), m_model(new OutlineListModel(this)),
      m_delegate(new OutlineListDelegate(this)), m_pictureNode(stockpictures::node()),
      m_pictureUnknown(stockpictures::unknown()), m_pictureComposite(stockpictures::composite()),
      m_pictureLeaf(stockpictures::leaf())
{
    setModel(m_model);
    setItemDelegate(m_delegate);
    setTreePosition(OutlineListModel::TextColumn);
    setHeaderHidden(true);
    header()->setStretchLastSection(true);
    header()->setSectionResizeMode(OutlineListModel::MarkColumn, QHeaderView::Fixed);
    setColumnWidth(OutlineListModel::MarkColumn, kMarkColumnWidth);
    setColumnHidden(OutlineListModel::MarkColumn, true);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectRows);
    setAllColumnsShowFocus(true);
    setEditTriggers(NoEditTriggers);
    setUniformRowHeights(false);
    // Drags start here (mouseMoveEvent), with the list's own threshold.
    setDragEnabled(false);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!m_changingStructure)
            emit Select();
    });
    connect(this, &QTreeView::expanded, this, [this](const QModelIndex &index) {
        OutlineItem *item = OutlineListModel::itemOf(index);
        item->expanded = true;
        if (!m_expandingByCode)
            emit Expand(m_model->listIndex(item));
    });
    connect(this, &QTreeView::collapsed, this,
            [](const QModelIndex &index) { OutlineListModel::itemOf(index)->expanded = false; });
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &OutlineList::expandInserted);
}

OutlineItem *OutlineList::itemAt(int index) const
{
    return m_model->item(index);
}

void OutlineList::changed(const OutlineItem *item)
{
    m_model->itemChanged(item);
}

const QString &OutlineList::FontName() const
{
    return m_delegate->listFontName();
}

void OutlineList::setFontName(const QString &faceName)
{
    m_delegate->setListFont(faceName, m_delegate->listFontSize());
    listLookChanged();
}

qreal OutlineList::FontSize() const
{
    return m_delegate->listFontSize();
}

void OutlineList::setFontSize(qreal pointSize)
{
    if (pointSize <= 0)
        return;
    m_delegate->setListFont(m_delegate->listFontName(), pointSize);
    listLookChanged();
}

void OutlineList::listLookChanged()
{
    // Rows of items without a typeface of their own change their height.
    if (m_redraw)
        scheduleDelayedItemsLayout();
    else
        m_relayoutWhenRedrawn = true;
}

void OutlineList::setRedraw(bool redraw)
{
    if (redraw == m_redraw)
        return;
    m_redraw = redraw;
    if (!redraw) {
        m_model->beginBatch();
        return;
    }
    const bool shownItemsChanged = m_model->endBatch();
    if (shownItemsChanged || std::exchange(m_relayoutWhenRedrawn, false))
        scheduleDelayedItemsLayout();
}

void OutlineList::setMarkStyle(int style)
{
    m_markStyle = style;
    setColumnHidden(OutlineListModel::MarkColumn, style != 2);
}

QPixmap OutlineList::MarkPicture(int k) const
{
    return m_delegate->markPicture(k);
}

void OutlineList::setMarkPicture(int k, const QPixmap &picture)
{
    m_delegate->setMarkPicture(k, picture);
    viewport()->update();
}

int OutlineList::ListCount() const
{
    return m_model->count();
}

int OutlineList::ListIndex() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : m_model->listIndex(selected.first());
}

void OutlineList::setListIndex(int index)
{
    if (index == -1) {
        selectionModel()->clear();
        return;
    }
    // An item added while Redraw is False is not in the view yet.
    const QModelIndex target = m_model->modelIndex(itemAt(index));
    if (!target.isValid())
        return;
    // Selecting a hidden item makes the tree open its parents to show it; that opening is
    // the code's, not the user's, so it sends no Expand (whose loader could remove the very
    // item being selected).
    const FlagGuard guard(m_expandingByCode);
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect |
                                                  QItemSelectionModel::Rows);
}

void OutlineList::AddItem(const QString &text, int parent)
{
    const int added = m_model->append(text, parent);
    if (added >= 0)
        m_newIndex = added;
}

void OutlineList::RemoveItem(int index)
{
    const OutlineItem *item = itemAt(index);
    if (item == nullptr)
        return;
    const int removed = 1 + item->descendantCount();
    if (m_newIndex >= index + removed)
        m_newIndex -= removed;
    else if (m_newIndex >= index)
        m_newIndex = -1;
    const FlagGuard guard(m_changingStructure);
    m_model->remove(index);
}

void OutlineList::Clear()
{
    const FlagGuard guard(m_changingStructure);
    m_model->clear();
    m_newIndex = -1;
}

bool OutlineList::Expanded(int index) const
{
    const OutlineItem *item = itemAt(index);
    return item != nullptr && item->expanded;
}

void OutlineList::setExpanded(int index, bool expanded)
{
    OutlineItem *item = itemAt(index);
    if (item == nullptr)
        return;
    item->expanded = expanded;
    // An item the view does not know yet is expanded when it is shown (expandInserted).
    const QModelIndex shown = m_model->modelIndex(item, 0);
    if (shown.isValid())
        expandByCode(shown, expanded);
}

void OutlineList::expandByCode(const QModelIndex &index, bool expanded)
{
    const FlagGuard guard(m_expandingByCode);
    QTreeView::setExpanded(index, expanded);
}

void OutlineList::expandInserted(const QModelIndex &parent, int first, int last)
{
    std::vector<const OutlineItem *> pending;
    for (int row = first; row <= last; ++row)
        pending.push_back(OutlineListModel::itemOf(m_model->index(row, 0, parent)));
    while (!pending.empty()) {
        const OutlineItem *item = pending.back();
        pending.pop_back();
        if (item->expanded)
            expandByCode(m_model->modelIndex(item, 0), true);
        for (int row = 0; row < item->childCount(); ++row)
            pending.push_back(item->child(row));
    }
}

int OutlineList::ChildCount(int index) const
{
    const OutlineItem *item = itemAt(index);
    return item != nullptr ? item->childCount() : 0;
}

QString OutlineList::ItemText(int index) const
{
    const OutlineItem *item = itemAt(index);
    return item != nullptr ? item->text : QString();
}

void OutlineList::setItemText(int index, const QString &text)
{
    if (OutlineItem *item = itemAt(index)) {
        item->text = text;
        changed(item);
    }
}

QString OutlineList::ItemFontName(int index) const
{
    const OutlineItem *item = itemAt(index);
    if (item == nullptr)
        return {};
    return item->fontName.isEmpty() ? FontName() : item->fontName;
}

void OutlineList::setItemFontName(int index, const QString &faceName)
{
    if (OutlineItem *item = itemAt(index)) {
        item->fontName = faceName;
        changed(item);
    }
}

qreal OutlineList::ItemFontSize(int index) const
{
    const OutlineItem *item = itemAt(index);
    if (item == nullptr)
        return 0;
    return item->fontSize > 0 ? item->fontSize : FontSize();
}

void OutlineList::setItemFontSize(int index, qreal pointSize)
{
    if (OutlineItem *item = itemAt(index)) {
        item->fontSize = pointSize;
        changed(item);
    }
}

qint32 OutlineList::ItemData(int index) const
{
    const OutlineItem *item = itemAt(index);
    return item != nullptr ? item->data : 0;
}

void OutlineList::setItemData(int index, qint32 data)
{
    if (OutlineItem *item = itemAt(index))
        item->data = data; // not shown
}

QPixmap OutlineList::ItemPicture(int index) const
{
    const OutlineItem *item = itemAt(index);
    return item != nullptr ? item->picture : QPixmap();
}

void OutlineList::setItemPicture(int index, const QPixmap &picture)
{
    if (OutlineItem *item = itemAt(index)) {
        item->picture = picture;
        changed(item);
    }
}

int OutlineList::ItemMark(int index) const
{
    const OutlineItem *item = itemAt(index);
    return item != nullptr ? item->mark : 0;
}

void OutlineList::setItemMark(int index, int mark)
{
    if (OutlineItem *item = itemAt(index)) {
        item->mark = mark;
        changed(item);
    }
}

QVariant OutlineList::ItemFlag(int index) const
{
    const OutlineItem *item = itemAt(index);
    return item != nullptr ? item->flag : QVariant();
}

void OutlineList::setItemFlag(int index, const QVariant &flag)
{
    if (OutlineItem *item = itemAt(index))
        item->flag = flag; // not shown
}

void OutlineList::DragOverFeedback(int x, int y, int state)
{
    const QPersistentModelIndex target =
        state == DragLeave
            ? QPersistentModelIndex()
            : QPersistentModelIndex(indexAt(QPoint(vb::TwipsToPixels(x, logicalDpiX()),
                                                   vb::TwipsToPixels(y, logicalDpiY()))));
    if (target != m_dropTarget) {
        m_dropTarget = target;
        viewport()->update();
    }
}

void OutlineList::BeginDrag()
{
    setState(DraggingState);
    DragOverFeedback(0, 0, DragLeave);
}

void OutlineList::focusInEvent(QFocusEvent *event)
{
    QTreeView::focusInEvent(event);
    emit GotFocus();
}

void OutlineList::focusOutEvent(QFocusEvent *event)
{
    QTreeView::focusOutEvent(event);
    // Another program or a popup menu taking the focus leaves the list where it was.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        emit LostFocus();
}

int OutlineList::twipsX(int pixels) const
{
    return vb::PixelsToTwips(pixels, logicalDpiX());
}

int OutlineList::twipsY(int pixels) const
{
    return vb::PixelsToTwips(pixels, logicalDpiY());
}

void OutlineList::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    m_dragStart.press(twipsX(at.x()), twipsY(at.y()));
    emit MouseDown(buttonBits(event->button()), shiftBits(event->modifiers()), twipsX(at.x()),
                   twipsY(at.y()));
    QTreeView::mousePressEvent(event);
}

void OutlineList::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    const int x = twipsX(at.x());
    const int y = twipsY(at.y());
    const int buttons = buttonBits(event->buttons());
    emit MouseMove(buttons, shiftBits(event->modifiers()), x, y);
    if (m_dragStart.moveStarts(buttons, x, y) && ListIndex() >= 0) {
        BeginDrag();
        startDrag(Qt::CopyAction);
        setState(NoState);
        return;
    }
    QTreeView::mouseMoveEvent(event);
}

QMimeData *OutlineList::dragMimeData() const
{
    const QModelIndex selected = m_model->modelIndex(itemAt(ListIndex()));
    if (!selected.isValid())
        return nullptr;
    auto *mimeData = new QMimeData;
    mimeData->setText(selected.data(Qt::DisplayRole).toString());
    return mimeData;
}

void OutlineList::startDrag(Qt::DropActions supportedActions)
{
    QMimeData *mimeData = dragMimeData();
    if (mimeData == nullptr)
        return;
    auto *drag = new QDrag(this); // Qt deletes it when the drag ends
    drag->setMimeData(mimeData);  // owned by the drag
    drag->setPixmap(ItemPicture(ListIndex()));
    drag->exec(supportedActions, Qt::CopyAction);
}

void OutlineList::emitDragOver(QDropEvent *event, int state)
{
    const QPoint at = event->position().toPoint();
    emit DragOver(event->source(), twipsX(at.x()), twipsY(at.y()), state);
}

void OutlineList::dragEnterEvent(QDragEnterEvent *event)
{
    // Taken so that the moves that follow report DragOver; nothing is dropped here.
    event->accept();
    emitDragOver(event, DragEnter);
}

void OutlineList::dragMoveEvent(QDragMoveEvent *event)
{
    event->ignore();
    emitDragOver(event, DragOverItem);
}

void OutlineList::dragLeaveEvent(QDragLeaveEvent *event)
{
    event->accept();
    emit DragOver(nullptr, 0, 0, DragLeave);
}

void OutlineList::dropEvent(QDropEvent *event)
{
    event->ignore();
    DragOverFeedback(0, 0, DragLeave);
}

void OutlineList::paintEvent(QPaintEvent *event)
{
    QTreeView::paintEvent(event);
    if (!m_dropTarget.isValid())
        return;
    QRect row = visualRect(m_dropTarget);
    row.setLeft(0);
    row.setRight(viewport()->width() - 1);
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DashLine));
    painter.drawRect(row.adjusted(0, 0, -1, -1));
}

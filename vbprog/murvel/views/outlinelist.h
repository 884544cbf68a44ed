#pragma once

#include "vbprog/murvel/views/dragstart.h"

#include <QPersistentModelIndex>
#include <QPixmap>
#include <QTreeView>
#include <QVariant>

class OutlineList;
class OutlineListDelegate;
class OutlineListModel;
class OutlineItem;
class QMimeData;

// The cell object of one item of an OutlineList.
class OutlineCell
{
public:
    // 1 when the item's text is rich text (GlyphRtf), drawn run by run; else 0.
    int RichText() const;
    void setRichText(int richText);

private:
    friend class OutlineList;
    OutlineCell(OutlineList *list, int index) : m_list(list), m_index(index) {}

    OutlineList *m_list; // not owned
    int m_index;
};

// The outline list of the glyph list views: a tree of items addressed by their list index,
// the zero-based position in display order, where an item's children follow it (whether
// or not it is expanded) before its next sibling. ListIndex -1 means no selection.
//
// Reading a member of an index outside the list gives an empty value (text "", data 0,
// no picture); writing to one does nothing.
//
// While Redraw is False changes neither reach the view nor make it repaint: it keeps
// showing the items as they were (and stays usable). Setting Redraw True again shows
// everything added in one go, so loaders add thousands of items cheaply. The selection
// and the expanded items are kept across those batches.
//
// Coordinates of the mouse and drag events are twips from the top left of the list's
// drawing area, at the screen's logical resolution. Button is a set of bits: 1 left,
// 2 right, 4 middle; Shift: 1 Shift, 2 Ctrl, 4 Alt.
//
// A move of more than DragStart::kThresholdTwips with the left button held, after a press
// that was not at X 0 or Y 0, drags the selected item's text out as plain text.
class OutlineList : public QTreeView
{
    Q_OBJECT

public:
    // The State of DragOver and DragOverFeedback.
    enum DragState { DragEnter = 0, DragLeave = 1, DragOverItem = 2 };

    explicit OutlineList(QWidget *parent = nullptr);

    // Typeface and size of the items that have none of their own; the empty name, the
    // list's first typeface, draws in the default face.
    const QString &FontName() const;
    void setFontName(const QString &faceName);
    qreal FontSize() const;
    void setFontSize(qreal pointSize);

    bool Redraw() const { return m_redraw; }
    void setRedraw(bool redraw);

    const QPixmap &PictureNode() const { return m_pictureNode; }
    const QPixmap &PictureUnknown() const { return m_pictureUnknown; }
    const QPixmap &PictureComposite() const { return m_pictureComposite; }
    const QPixmap &PictureLeaf() const { return m_pictureLeaf; }

    // 2 shows the mark column, any other value hides it.
    int MarkStyle() const { return m_markStyle; }
    void setMarkStyle(int style);
    QPixmap MarkPicture(int k) const;
    void setMarkPicture(int k, const QPixmap &picture);

    int ListCount() const;
    int ListIndex() const;
    void setListIndex(int index);
    // The list index of the item added last; -1 when there is none.
    int NewIndex() const { return m_newIndex; }

    // Adds an item as the last child of `parent`, or at top level when parent is -1.
    void AddItem(const QString &text, int parent = -1);
    // Removes the item with everything below it.
    void RemoveItem(int index);
    void Clear();

    bool Expanded(int index) const;
    void setExpanded(int index, bool expanded);
    using QTreeView::setExpanded;
    int ChildCount(int index) const;

    QString ItemText(int index) const;
    void setItemText(int index, const QString &text);
    // The item's own typeface and size, or the list's when it has none.
    QString ItemFontName(int index) const;
    void setItemFontName(int index, const QString &faceName);
    qreal ItemFontSize(int index) const;
    void setItemFontSize(int index, qreal pointSize);
    qint32 ItemData(int index) const;
    void setItemData(int index, qint32 data);
    QPixmap ItemPicture(int index) const;
    void setItemPicture(int index, const QPixmap &picture);
    int ItemMark(int index) const;
    void setItemMark(int index, int mark);
    QVariant ItemFlag(int index) const;
    void setItemFlag(int index, const QVariant &flag);
    OutlineCell ItemCell(int index) { return {this, index}; }

    // Marks the item under (x, y) as where a drop would land; DragLeave removes the mark.
    void DragOverFeedback(int x, int y, int state);
    // Stops the selection from following the mouse for the drag that starts now.
    void BeginDrag();

signals:
    void Select();
    // The user opened the item at `index` (not sent for setExpanded).
    void Expand(int index);
    void GotFocus();
    void LostFocus();
    void MouseDown(int button, int shift, int x, int y);
    void MouseMove(int button, int shift, int x, int y);
    // `source` is the widget the drag came from, or nullptr from another program. A
    // DragLeave carries no source and no position (0, 0).
    void DragOver(QObject *source, int x, int y, int state);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    // Drags the selected item's text out.
    void startDrag(Qt::DropActions supportedActions) override;
    // What a drag carries: the selected item's text as plain text (the text of its runs
    // for a rich-text item); nullptr without a selection. The caller owns it.
    QMimeData *dragMimeData() const;

private:
    friend class OutlineCell;

    OutlineItem *itemAt(int index) const;
    void changed(const OutlineItem *item);
    void listLookChanged();
    void expandInserted(const QModelIndex &parent, int first, int last);
    void expandByCode(const QModelIndex &index, bool expanded);
    void emitDragOver(QDropEvent *event, int state);
    int twipsX(int pixels) const;
    int twipsY(int pixels) const;

    OutlineListModel *m_model;       // owned (child QObject)
    OutlineListDelegate *m_delegate; // owned (child QObject)
    QPixmap m_pictureNode;
    QPixmap m_pictureUnknown;
    QPixmap m_pictureComposite;
    QPixmap m_pictureLeaf;
    int m_markStyle = 1;
    bool m_redraw = true;
    bool m_relayoutWhenRedrawn = false;
    int m_newIndex = -1;
    bool m_changingStructure = false; // no Select while items go
    bool m_expandingByCode = false;   // no Expand for setExpanded
    DragStart m_dragStart;
    QPersistentModelIndex m_dropTarget;
};

#pragma once

#include "vbprog/murvel/views/fontcache.h"

#include <QPixmap>
#include <QStyledItemDelegate>
#include <map>

// Draws the rows of an outline list: in the mark column the item's mark picture; in the
// text column the item's picture, then its text in its own typeface and size or else the
// list's. A rich-text item is drawn run by run, each run in its own typeface.
class OutlineListDelegate : public QStyledItemDelegate
{
public:
    explicit OutlineListDelegate(QObject *parent = nullptr);

    // The typeface and size of items that have none of their own.
    void setListFont(const QString &faceName, qreal pointSize);
    const QString &listFontName() const { return m_fontName; }
    qreal listFontSize() const { return m_fontSize; }

    // The mark table: picture k is drawn for the items whose mark is k.
    void setMarkPicture(int k, const QPixmap &picture);
    QPixmap markPicture(int k) const;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    struct Piece {
        QString text;
        const QFont *font; // owned by m_fonts
    };
    QList<Piece> piecesOf(const QModelIndex &index) const;
    void paintText(QPainter *painter, const QStyleOptionViewItem &option,
                   const QModelIndex &index) const;
    void paintMark(QPainter *painter, const QStyleOptionViewItem &option,
                   const QModelIndex &index) const;

    QString m_fontName;
    qreal m_fontSize = 12;
    std::map<int, QPixmap> m_marks;
    mutable FontCache m_fonts;
};

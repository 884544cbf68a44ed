#include "vbprog/murvel/views/outlinelistdelegate.h"

#include "vbprog/murvel/core/rtfreader.h"
#include "vbprog/murvel/views/outlinelistmodel.h"
#include "vbprog/murvel/views/stockpictures.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>

namespace
{

constexpr int kMargin = 2;
constexpr int kPictureGap = 4;
constexpr int kPictureSize = stockpictures::kSize;

QStyle *styleOf(const QStyleOptionViewItem &option)
{
    return option.widget != nullptr ? option.widget->style() : QApplication::style();
}

// Selection and focus, without text or picture.
void paintBackground(QPainter *painter, const QStyleOptionViewItem &option)
{
    QStyleOptionViewItem background = option;
    background.text.clear();
    background.icon = QIcon();
    background.features &= ~QStyleOptionViewItem::HasDecoration;
    styleOf(option)->drawControl(QStyle::CE_ItemViewItem, &background, painter, option.widget);
}

void paintPicture(QPainter *painter, const QRect &cell, int left, const QPixmap &picture)
{
    if (picture.isNull())
        return;
    const QSize size = picture.deviceIndependentSize().toSize();
    painter->drawPixmap(QPoint(left, cell.top() + (cell.height() - size.height()) / 2), picture);
}

} // namespace

OutlineListDelegate::OutlineListDelegate(QObject *parent) : QStyledItemDelegate(parent)
{
}

void OutlineListDelegate::setListFont(const QString &faceName, qreal pointSize)
{
    m_fontName = faceName;
    m_fontSize = pointSize;
}

void OutlineListDelegate::setMarkPicture(int k, const QPixmap &picture)
{
    m_marks[k] = picture;
}

QPixmap OutlineListDelegate::markPicture(int k) const
{
    const auto found = m_marks.find(k);
    return found != m_marks.end() ? found->second : QPixmap();
}

QList<OutlineListDelegate::Piece> OutlineListDelegate::piecesOf(const QModelIndex &index) const
{
    const QString ownName = index.data(OutlineListModel::FontNameRole).toString();
    const qreal ownSize = index.data(OutlineListModel::FontSizeRole).toReal();
    const QString &itemName = ownName.isEmpty() ? m_fontName : ownName;
    const qreal size = ownSize > 0 ? ownSize : m_fontSize;
    const QFont *itemFont = &m_fonts.font(itemName, size);
    if (!index.data(OutlineListModel::RichTextRole).toBool())
        return {{index.data(Qt::DisplayRole).toString(), itemFont}};
    QList<Piece> pieces;
    for (const RtfRun &run : ReadGlyphRtf(index.data(OutlineListModel::SourceTextRole).toString()))
        pieces.append(
            {run.text, run.typeface.isEmpty() ? itemFont : &m_fonts.font(run.typeface, size)});
    return pieces;
}

void OutlineListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    QStyleOptionViewItem styled = option;
    initStyleOption(&styled, index);
    paintBackground(painter, styled);
    if (index.column() == OutlineListModel::MarkColumn)
        paintMark(painter, styled, index);
    else
        paintText(painter, styled, index);
}

void OutlineListDelegate::paintMark(QPainter *painter, const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    const QPixmap mark = markPicture(index.data(OutlineListModel::MarkRole).toInt());
    const int width = mark.deviceIndependentSize().toSize().width();
    paintPicture(painter, option.rect, option.rect.left() + (option.rect.width() - width) / 2,
                 mark);
}

void OutlineListDelegate::paintText(QPainter *painter, const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    const QRect cell = option.rect;
    paintPicture(painter, cell, cell.left() + kMargin,
                 index.data(Qt::DecorationRole).value<QPixmap>());
    painter->save();
    painter->setPen(option.palette.color(
        option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    int x = cell.left() + kMargin + kPictureSize + kPictureGap;
    for (const Piece &piece : piecesOf(index)) {
        if (x >= cell.right())
            break;
        const QFontMetrics metrics(*piece.font);
        painter->setFont(*piece.font);
        const QRect room(x, cell.top(), cell.right() - x, cell.height());
        painter->drawText(room, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, piece.text);
        x += metrics.horizontalAdvance(piece.text);
    }
    painter->restore();
}

QSize OutlineListDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &index) const
{
    if (index.column() == OutlineListModel::MarkColumn)
        return {kPictureSize + 2 * kMargin, kPictureSize + kMargin};
    int width = kMargin + kPictureSize + kPictureGap + kMargin;
    int height = kPictureSize;
    for (const Piece &piece : piecesOf(index)) {
        const QFontMetrics metrics(*piece.font);
        width += metrics.horizontalAdvance(piece.text);
        height = std::max(height, metrics.height());
    }
    return {width, height + kMargin};
}

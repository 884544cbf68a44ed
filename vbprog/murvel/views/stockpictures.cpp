#include "vbprog/murvel/views/stockpictures.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace stockpictures
{
namespace
{

QPixmap drawn(const std::function<void(QPainter &)> &draw)
{
    QPixmap picture(kSize, kSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return picture;
}

} // namespace

QPixmap node()
{
    return drawn([](QPainter &painter) {
        painter.setPen(QPen(QColor(0x80, 0x50, 0x10), 1));
        painter.setBrush(QColor(0xe8, 0xb0, 0x40));
        painter.drawRect(QRectF(3.5, 1.5, 10, 13));
        painter.setBrush(QColor(0xff, 0xf4, 0xd0));
        painter.drawRect(QRectF(5.5, 3.5, 6, 3));
        painter.drawLine(QPointF(3.5, 12.5), QPointF(13.5, 12.5));
    });
}

QPixmap unknown()
{
    return drawn([](QPainter &painter) {
        painter.setPen(QPen(QColor(0xa0, 0x10, 0x10), 1));
        painter.setBrush(QColor(0xff, 0xe0, 0xe0));
        painter.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        QFont font = painter.font();
        font.setPixelSize(11);
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(QRectF(0, 0, kSize, kSize), Qt::AlignCenter, QStringLiteral("?"));
    });
}

QPixmap composite()
{
    return drawn([](QPainter &painter) {
        painter.setPen(QPen(QColor(0x10, 0x40, 0x90), 1));
        painter.setBrush(QColor(0xc0, 0xd8, 0xff));
        painter.drawRect(QRectF(1.5, 1.5, 6, 6));
        painter.drawRect(QRectF(8.5, 1.5, 6, 6));
        painter.drawRect(QRectF(1.5, 8.5, 13, 6));
    });
}

QPixmap leaf()
{
    return drawn([](QPainter &painter) {
        QPainterPath blade(QPointF(2, 14));
        blade.cubicTo(QPointF(2, 5), QPointF(8, 2), QPointF(14, 2));
        blade.cubicTo(QPointF(14, 9), QPointF(10, 14), QPointF(2, 14));
        painter.setPen(QPen(QColor(0x20, 0x70, 0x20), 1));
        painter.setBrush(QColor(0x70, 0xc0, 0x50));
        painter.drawPath(blade);
        painter.drawLine(QPointF(3, 13), QPointF(11, 5));
    });
}

} // namespace stockpictures

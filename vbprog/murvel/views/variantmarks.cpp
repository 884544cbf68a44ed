#include "vbprog/murvel/views/variantmarks.h"

#include "vbprog/murvel/views/outlinelist.h"
#include "vbprog/murvel/views/stockpictures.h"
#include "vbprog/murvel/views/varianttree.h"

#include <QPainter>

namespace
{

// A category's mark: its character in a small framed box.
QPixmap MarkPicture(QChar label)
{
    QPixmap picture(stockpictures::kSize, stockpictures::kSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x70, 0x30, 0x30), 1));
    painter.setBrush(QColor(0xff, 0xf0, 0xe0));
    painter.drawRoundedRect(QRectF(0.5, 0.5, stockpictures::kSize - 1, stockpictures::kSize - 1), 3,
                            3);
    QFont font = painter.font();
    font.setPixelSize(stockpictures::kSize - 4);
    painter.setFont(font);
    painter.drawText(QRectF(0, 0, stockpictures::kSize, stockpictures::kSize), Qt::AlignCenter,
                     QString(label));
    return picture;
}

} // namespace

void FillVariantMarkPictures(OutlineList &list)
{
    QPixmap none(stockpictures::kSize, stockpictures::kSize);
    none.fill(Qt::transparent);
    list.setMarkPicture(0, none);
    for (const VariantCategory &category : VariantCategories)
        list.setMarkPicture(category.number, MarkPicture(category.label));
}

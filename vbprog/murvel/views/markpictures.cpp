#include "vbprog/murvel/views/markpictures.h"

#include "platform/fonts/typefacetable.h"

#include <QPainter>
#include <array>

namespace markpictures
{
namespace
{

const QColor Kind(0x20, 0x50, 0xb0);
const QColor Role(0x20, 0x80, 0x30);
const QColor Shortened(0xd0, 0x70, 0x10);
const QColor Double(0x80, 0x30, 0xa0);
const QColor Altered(0xc0, 0x20, 0x20);
const QColor Repeat(0x60, 0x60, 0x60);

struct Mark {
    const char16_t *name;
    char16_t character; // drawn on the badge
    const QColor &colour;
};

const std::array<Mark, RoleMarks::Count> Marks = {{
    {u"imgNull", 0, Kind},
    {u"img象形", u'象', Kind},
    {u"img指事", u'指', Kind},
    {u"img會意", u'會', Kind},
    {u"img形聲", u'諧', Kind},
    {u"img形", u'形', Role},
    {u"img義", u'義', Role},
    {u"img聲", u'聲', Role},
    {u"img標示", u'標', Role},
    {u"img省", u'省', Shortened},
    {u"img省形", u'形', Shortened},
    {u"img省義", u'義', Shortened},
    {u"img省聲", u'聲', Shortened},
    {u"img聲義", u'兼', Double},
    {u"img省聲義", u'兼', Shortened},
    {u"img亦聲", u'亦', Double},
    {u"img省亦聲", u'亦', Shortened},
    {u"img反", u'反', Altered},
    {u"img倒", u'倒', Altered},
    {u"img半", u'半', Altered},
    {u"img二", u'二', Repeat},
    {u"img三", u'三', Repeat},
    {u"img四", u'四', Repeat},
}};

QPixmap empty()
{
    QPixmap picture(kSize, kSize);
    picture.fill(Qt::transparent);
    return picture;
}

// A rounded badge in the colour with the character in white; a hollow one is white with
// the colour's edge and character, so that the shortened (省) marks differ from their full
// forms in shape, not in colour alone.
QPixmap badge(QChar character, const QColor &colour, bool hollow = false)
{
    QPixmap picture = empty();
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour.darker(130), hollow ? 1.5 : 1));
    painter.setBrush(hollow ? QColor(Qt::white) : colour);
    painter.drawRoundedRect(QRectF(0.5, 0.5, kSize - 1, kSize - 1), 3, 3);
    QFont font = fonts::fontFor(QStringLiteral("標楷體"), 9);
    font.setPixelSize(13);
    painter.setFont(font);
    painter.setPen(hollow ? colour.darker(130) : QColor(Qt::white));
    painter.drawText(QRectF(0, 0, kSize, kSize), Qt::AlignCenter, QString(character));
    return picture;
}

} // namespace

QString name(int k)
{
    return k >= 0 && k < RoleMarks::Count ? QString::fromUtf16(Marks[k].name) : QString();
}

QPixmap picture(int k)
{
    if (k <= RoleMarks::None || k >= RoleMarks::Count)
        return empty();
    return badge(QChar(Marks[k].character), Marks[k].colour, &Marks[k].colour == &Shortened);
}

QPixmap question()
{
    return badge(QLatin1Char('?'), QColor(0xc0, 0x90, 0x00));
}

} // namespace markpictures

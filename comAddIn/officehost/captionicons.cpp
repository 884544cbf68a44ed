#include "comAddIn/officehost/captionicons.h"

#include "comAddIn/officehost/operatorcaption.h"
#include "platform/fonts/operatorfont.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QSaveFile>

namespace officehost
{

namespace
{

// Dark enough for the office's light toolbars, as its own icons are drawn.
const QColor kGlyphColor(0x1f, 0x1f, 0x1f);

// The caption's code points in hexadecimal: a file name for any caption.
QString fileStem(const QString &caption)
{
    QStringList codes;
    for (const char32_t code : caption.toUcs4())
        codes.append(QString::number(code, 16));
    return codes.join(u'-');
}

} // namespace

CaptionIcons::CaptionIcons(QString folder) : m_folder(std::move(folder))
{
}

CaptionIcons::~CaptionIcons()
{
    QDir(m_folder).removeRecursively();
}

CaptionIconFiles CaptionIcons::filesFor(const QString &caption)
{
    if (!needsOperatorFont(caption))
        return {};
    // Drawn again when something has cleared the folder since.
    if (const auto drawn = m_drawn.constFind(caption);
        drawn != m_drawn.constEnd() && QFile::exists(drawn->small) && QFile::exists(drawn->large))
        return *drawn;
    if (!QFileInfo::exists(m_folder)) {
        // Only this user reads the pictures.
        QDir().mkpath(m_folder);
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const CaptionIconFiles files{draw(caption, kSmallSize), draw(caption, kLargeSize)};
    if (files.small.isEmpty() || files.large.isEmpty())
        return {};
    m_drawn.insert(caption, files);
    return files;
}

// The caption's glyphs as large as they fit in the square with a pixel to spare, centred.
QString CaptionIcons::draw(const QString &caption, int size) const
{
    QFont font(fonts::operatorFamily());
    font.setPixelSize(size);
    const QRectF ink = QFontMetricsF(font).tightBoundingRect(caption);
    if (ink.isEmpty())
        return {};
    const qreal room = size - 2;
    const qreal scale = std::min(room / ink.width(), room / ink.height());

    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(kGlyphColor);
    painter.translate(size / 2.0, size / 2.0);
    painter.scale(scale, scale);
    painter.drawText(-ink.center(), caption);
    painter.end();

    const QString path =
        QDir(m_folder).filePath(fileStem(caption) + u'-' + QString::number(size) + u".png"_qs);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit())
        return {};
    return path;
}

} // namespace officehost

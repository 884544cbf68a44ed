#include "comAddIn/officehost/captionicons.h"

#include "comAddIn/officehost/operatorcaption.h"
#include "platform/fonts/operatorfont.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

CaptionIcons::CaptionIcons(QString folderStem) : m_stem(std::move(folderStem))
{
}

CaptionIcons::~CaptionIcons()
{
    removeFolder();
}

CaptionIconFiles CaptionIcons::filesFor(const QString &caption)
{
    if (!needsOperatorFont(caption) || !ownFolder())
        return {};
    // Drawn again when something has cleared the folder since.
    if (const auto drawn = m_drawn.constFind(caption);
        drawn != m_drawn.constEnd() && QFile::exists(drawn->small) && QFile::exists(drawn->large))
        return *drawn;
    const CaptionIconFiles files{draw(caption, kSmallSize), draw(caption, kLargeSize)};
    if (files.small.isEmpty() || files.large.isEmpty())
        return {};
    m_drawn.insert(caption, files);
    return files;
}

bool CaptionIcons::ownFolder()
{
    if (m_folderHandle >= 0 && folderStillOurs())
        return true;
    removeFolder();
    // Made with mode 0700 under a name no other process can have taken.
    QByteArray name = QFile::encodeName(m_stem + u"-XXXXXX"_qs);
    if (::mkdtemp(name.data()) == nullptr)
        return false;
    m_folderHandle = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (m_folderHandle < 0) {
        ::rmdir(name.constData());
        return false;
    }
    m_folder = QFile::decodeName(name);
    return true;
}

bool CaptionIcons::folderStillOurs() const
{
    struct stat atName {
    };
    struct stat made {
    };
    return ::lstat(QFile::encodeName(m_folder).constData(), &atName) == 0 &&
           S_ISDIR(atName.st_mode) && ::fstat(m_folderHandle, &made) == 0 &&
           atName.st_dev == made.st_dev && atName.st_ino == made.st_ino;
}

void CaptionIcons::removeFolder()
{
    if (m_folderHandle < 0)
        return;
    // Through the folder's handle: the files made, wherever the folder's name leads now.
    for (const QString &name : std::as_const(m_written))
        ::unlinkat(m_folderHandle, QFile::encodeName(name).constData(), 0);
    if (folderStillOurs())
        ::rmdir(QFile::encodeName(m_folder).constData());
    ::close(m_folderHandle);
    m_folderHandle = -1;
    m_folder.clear();
    m_written.clear();
    m_drawn.clear();
}

// The caption's glyphs as large as they fit in the square with a pixel to spare, centred.
QString CaptionIcons::draw(const QString &caption, int size)
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

    const QString name = fileStem(caption) + u'-' + QString::number(size) + u".png"_qs;
    const QString path = QDir(m_folder).filePath(name);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit())
        return {};
    m_written.insert(name);
    return path;
}

} // namespace officehost

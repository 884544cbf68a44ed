#include "platform/office/word/docx/picturefacts.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QtEndian>
#include <cstdlib>

namespace word::docx
{

namespace
{

qint32 int32At(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<qint32>(bytes.constData() + at);
}

quint16 uint16At(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

// Larger pictures go to the decoder, which applies its own limit on what it allocates.
constexpr qint64 MaxPixels = 1 << 24;

// A bitmap with a full information header, uncompressed pixels of a depth Qt reads, the
// rows all there and a resolution given: its header says all Qt would make of it. Any
// other bitmap goes to the decoder, which judges it.
std::optional<PictureFacts> plainBitmapFacts(const QByteArray &bytes)
{
    constexpr int fileHeader = 14;
    constexpr int infoHeader = 40;
    if (bytes.size() < fileHeader + infoHeader || !bytes.startsWith("BM"))
        return std::nullopt;
    const qint32 offset = int32At(bytes, 10);
    const qint32 headerSize = int32At(bytes, 14);
    const qint32 width = int32At(bytes, 18);
    const qint32 height = int32At(bytes, 22);
    const quint16 planes = uint16At(bytes, 26);
    const quint16 depth = uint16At(bytes, 28);
    const qint32 compression = int32At(bytes, 30);
    const qint32 colours = int32At(bytes, 46);
    const PictureFacts facts{"bmp", QSize(width, std::abs(height)), int32At(bytes, 38),
                             int32At(bytes, 42)};
    const bool plainDepth = depth == 1 || depth == 4 || depth == 8 || depth == 24;
    if (headerSize != infoHeader || planes != 1 || !plainDepth || compression != 0 || width <= 0 ||
        height == 0 || qint64(width) * std::abs(qint64(height)) > MaxPixels ||
        facts.dotsPerMeterX <= 0 || facts.dotsPerMeterY <= 0)
        return std::nullopt;
    const qint64 palette = depth <= 8 ? 4 * qint64(colours > 0 ? colours : 1 << depth) : 0;
    const qint64 rowBytes = (qint64(width) * depth + 31) / 32 * 4;
    if (colours < 0 || colours > (1 << depth) || offset < fileHeader + infoHeader + palette ||
        offset + rowBytes * facts.pixels.height() > bytes.size())
        return std::nullopt;
    return facts;
}

} // namespace

std::optional<PictureFacts> PictureFactsOf(const QByteArray &bytes)
{
    if (std::optional<PictureFacts> bitmap = plainBitmapFacts(bytes))
        return bitmap;
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray format = QImageReader::imageFormat(&buffer);
    QImage image;
    if (format.isEmpty() || !image.loadFromData(bytes, format.constData()))
        return std::nullopt;
    return PictureFacts{format, image.size(), image.dotsPerMeterX(), image.dotsPerMeterY()};
}

} // namespace word::docx

#include "platform/office/word/docx/picturefacts.h"

#include <QBuffer>
#include <QImage>
#include <QtEndian>
#include <gtest/gtest.h>

using word::docx::PictureFacts;
using word::docx::PictureFactsOf;

namespace
{

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage picture(QImage::Format format, int width, int height)
{
    QImage image(width, height, format);
    if (format == QImage::Format_Indexed8) {
        QList<QRgb> colours;
        for (int i = 0; i < 17; ++i)
            colours << qRgb(255 - 15 * i, 255 - 15 * i, 255 - 15 * i);
        image.setColorTable(colours);
    }
    image.fill(3);
    image.setDotsPerMeterX(23622);
    image.setDotsPerMeterY(11811);
    return image;
}

void put32(QByteArray &bytes, int at, qint32 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

// What the decoder makes of the bytes, which a header read must agree with.
std::optional<PictureFacts> decoded(const QByteArray &bytes)
{
    QImage image;
    if (!image.loadFromData(bytes))
        return std::nullopt;
    return PictureFacts{"", image.size(), image.dotsPerMeterX(), image.dotsPerMeterY()};
}

void expectAsDecoded(const QByteArray &bytes, const QByteArray &format, const char *what)
{
    SCOPED_TRACE(what);
    const std::optional<PictureFacts> expected = decoded(bytes);
    const std::optional<PictureFacts> facts = PictureFactsOf(bytes);
    ASSERT_EQ(facts.has_value(), expected.has_value());
    if (!facts)
        return;
    EXPECT_EQ(facts->format, format);
    EXPECT_EQ(facts->pixels, expected->pixels);
    EXPECT_EQ(facts->dotsPerMeterX, expected->dotsPerMeterX);
    EXPECT_EQ(facts->dotsPerMeterY, expected->dotsPerMeterY);
}

} // namespace

TEST(PictureFacts, BitmapsAreReadAsTheDecoderReadsThem)
{
    const QByteArray gray = encoded(picture(QImage::Format_Indexed8, 37, 51), "BMP");
    expectAsDecoded(gray, "bmp", "8-bit palette");
    expectAsDecoded(encoded(picture(QImage::Format_RGB32, 5, 3), "BMP"), "bmp", "24-bit");
    expectAsDecoded(encoded(picture(QImage::Format_Mono, 9, 4), "BMP"), "bmp", "1-bit");

    QByteArray topDown = gray;
    put32(topDown, 22, -51);
    expectAsDecoded(topDown, "bmp", "rows from the top");
    QByteArray noResolution = gray;
    put32(noResolution, 38, 0);
    put32(noResolution, 42, 0);
    expectAsDecoded(noResolution, "bmp", "no resolution");
    expectAsDecoded(gray.left(gray.size() / 2), "bmp", "rows missing");
    expectAsDecoded(encoded(picture(QImage::Format_RGB32, 8, 6), "PNG"), "png", "not a bitmap");
}

TEST(PictureFacts, DamagedBitmapsAndOtherFilesAreNoPictures)
{
    const QByteArray gray = encoded(picture(QImage::Format_Indexed8, 37, 51), "BMP");
    EXPECT_FALSE(PictureFactsOf(gray.left(30))) << "header cut";
    QByteArray noWidth = gray;
    put32(noWidth, 18, 0);
    EXPECT_FALSE(PictureFactsOf(noWidth));
    QByteArray huge = gray;
    put32(huge, 18, 1 << 30);
    EXPECT_FALSE(PictureFactsOf(huge)) << "a header larger than its file";
    EXPECT_FALSE(PictureFactsOf("PK\x03\x04 a document, no picture"));
    EXPECT_FALSE(PictureFactsOf(QByteArray()));
}

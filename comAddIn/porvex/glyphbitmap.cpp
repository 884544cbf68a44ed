#include "comAddIn/porvex/glyphbitmap.h"

#include <QtEndian>
#include <cmath>

namespace porvex
{

namespace
{

void put16(QByteArray &bytes, int at, quint16 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

void put32(QByteArray &bytes, int at, quint32 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

} // namespace

LogicalFont LogicalFontFor(const GlyphFont &font, int dpi)
{
    LogicalFont logical;
    // Twentieths of a point to pixels, rounded half to even.
    logical.height = int(std::nearbyint(-(font.size * 20.0) * dpi / 1440.0));
    logical.weight = font.bold ? 700 : 400;
    logical.italic = font.italic;
    logical.underline = font.underline;
    logical.strikeOut = font.strikeOut;
    logical.faceName = font.name;
    return logical;
}

std::array<std::array<quint8, 4>, GrayLevels> GlyphPalette(quint32 color)
{
    const std::array<int, 3> ink = {int(color >> 16 & 0xFF), int(color >> 8 & 0xFF),
                                    int(color & 0xFF)};
    std::array<std::array<quint8, 4>, GrayLevels> palette{};
    for (int i = 0; i < GrayLevels; ++i) {
        for (int c = 0; c < 3; ++c) {
            // The step is single precision and the sum rounds half to even.
            const float step = float(ink[c] - 255) / 16.0f;
            palette[i][c] = quint8(std::nearbyint(255.0f + float(i) * step));
        }
    }
    return palette;
}

QByteArray GlyphBitmapFile(const GrayGlyph &glyph, quint32 color, int dpi)
{
    const int imageSize = glyph.rowBytes() * glyph.height;
    const auto pixelsPerMetre = quint32(std::lround(dpi * 39.37));
    QByteArray bytes(BitmapHeaderSize, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(bytes, 2, quint32(imageSize + BitmapHeaderSize));
    put32(bytes, 10, BitmapHeaderSize);
    put32(bytes, 14, 40);
    put32(bytes, 18, quint32(glyph.width));
    put32(bytes, 22, quint32(glyph.height));
    put16(bytes, 26, 1);
    put16(bytes, 28, 8);
    put32(bytes, 34, quint32(imageSize));
    put32(bytes, 38, pixelsPerMetre);
    put32(bytes, 42, pixelsPerMetre);
    put32(bytes, 46, GrayLevels);
    put32(bytes, 50, GrayLevels);
    const auto palette = GlyphPalette(color);
    for (int i = 0; i < GrayLevels; ++i) {
        for (int c = 0; c < 4; ++c)
            bytes[54 + 4 * i + c] = char(palette[i][c]);
    }
    bytes.reserve(BitmapHeaderSize + imageSize);
    for (int row = glyph.height - 1; row >= 0; --row)
        bytes.append(glyph.pixels.constData() + row * glyph.rowBytes(), glyph.rowBytes());
    return bytes;
}

} // namespace porvex

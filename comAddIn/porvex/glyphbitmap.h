#pragma once

#include <QByteArray>
#include <QString>
#include <array>

// The glyph bitmap file: one glyph's black box in 17 gray levels, as an uncompressed 8-bit
// bottom-up device-independent bitmap with a 17-colour palette that runs from white to the
// font colour. The converters insert it as a picture of the glyph.
namespace porvex
{

// A font as the hosts describe it.
struct GlyphFont {
    QString name;
    double size = 12; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    quint32 color = 0; // 0x00BBGGRR
};

// The logical font made of it for a resolution. Underline and strike-out are part of the
// font but not of a glyph's outline, so they never show in the bitmap.
struct LogicalFont {
    int height = 0; // negative: the character height in pixels
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QString faceName;
};

LogicalFont LogicalFontFor(const GlyphFont &font, int dpi);

// A glyph's black box in gray levels 0 (background) to 16 (full ink): width x height
// pixels, rows top first, each row rowBytes() long (the width rounded up to 4 bytes).
struct GrayGlyph {
    int width = 0;
    int height = 0;
    QByteArray pixels;

    int rowBytes() const { return (8 * width + 31) / 32 * 4; }
    int level(int x, int y) const { return quint8(pixels[y * rowBytes() + x]); }
};

constexpr int GrayLevels = 17;
constexpr int BitmapHeaderSize = 122; // file header 14, info header 40, palette 68

// The palette entries, blue, green, red, 0 each: white, 15 steps, the font colour.
std::array<std::array<quint8, 4>, GrayLevels> GlyphPalette(quint32 color);

// The file's bytes: headers, palette and the glyph's rows from the bottom up.
QByteArray GlyphBitmapFile(const GrayGlyph &glyph, quint32 color, int dpi);

} // namespace porvex

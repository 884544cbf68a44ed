#include "comAddIn/porvex/glyphbitmap.h"

#include <QtEndian>
#include <gtest/gtest.h>

using namespace porvex;

namespace
{

quint32 read32(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

TEST(LogicalFontFor, HeightIsTheNegativePixelSizeRoundedHalfToEven)
{
    EXPECT_EQ(LogicalFontFor({"標楷體", 12}, 600).height, -100);
    EXPECT_EQ(LogicalFontFor({"標楷體", 12}, 96).height, -16);
    EXPECT_EQ(LogicalFontFor({"標楷體", 10.5}, 72).height, -10);
    EXPECT_EQ(LogicalFontFor({"標楷體", 11.5}, 72).height, -12);
    const LogicalFont styled = LogicalFontFor({"細明體", 12, true, true, true, false, 0xFF}, 96);
    EXPECT_EQ(styled.weight, 700);
    EXPECT_TRUE(styled.italic && styled.underline && !styled.strikeOut);
    EXPECT_EQ(styled.faceName, "細明體");
    EXPECT_EQ(LogicalFontFor({}, 96).weight, 400);
}

TEST(GlyphPalette, RunsFromWhiteToTheFontColourRoundingHalfToEven)
{
    const auto black = GlyphPalette(0);
    EXPECT_EQ(black[0], (std::array<quint8, 4>{255, 255, 255, 0}));
    EXPECT_EQ(black[1][0], 239);
    EXPECT_EQ(black[8][1], 128); // 127.5
    EXPECT_EQ(black[16], (std::array<quint8, 4>{0, 0, 0, 0}));
    const auto red = GlyphPalette(0x0000FF); // 0x00BBGGRR
    EXPECT_EQ(red[16], (std::array<quint8, 4>{0, 0, 255, 0}));
    EXPECT_EQ(red[8], (std::array<quint8, 4>{128, 128, 255, 0}));
}

TEST(GlyphBitmapFile, HeadersPaletteAndRowsFromTheBottomUp)
{
    GrayGlyph glyph;
    glyph.width = 13;
    glyph.height = 2;
    ASSERT_EQ(glyph.rowBytes(), 16);
    glyph.pixels = QByteArray(16, '\1') + QByteArray(16, '\20');
    const QByteArray file = GlyphBitmapFile(glyph, 0x00FF0000, 600);

    ASSERT_EQ(file.size(), 122 + 32);
    EXPECT_EQ(file.left(2), "BM");
    EXPECT_EQ(read32(file, 2), 154u);
    EXPECT_EQ(read32(file, 6), 0u);
    EXPECT_EQ(read32(file, 10), 122u);
    EXPECT_EQ(read32(file, 14), 40u);
    EXPECT_EQ(read32(file, 18), 13u);
    EXPECT_EQ(read32(file, 22), 2u);
    EXPECT_EQ(qFromLittleEndian<quint16>(file.constData() + 26), 1);
    EXPECT_EQ(qFromLittleEndian<quint16>(file.constData() + 28), 8);
    EXPECT_EQ(read32(file, 30), 0u);
    EXPECT_EQ(read32(file, 34), 32u);
    EXPECT_EQ(read32(file, 38), 23622u); // 600 x 39.37
    EXPECT_EQ(read32(file, 42), 23622u);
    EXPECT_EQ(read32(file, 46), 17u);
    EXPECT_EQ(read32(file, 50), 17u);
    EXPECT_EQ(file.mid(54 + 16 * 4, 4), QByteArray("\xFF\0\0\0", 4)); // blue ink
    EXPECT_EQ(file.mid(122, 16), QByteArray(16, '\20'));              // the bottom row first
    EXPECT_EQ(file.mid(138, 16), QByteArray(16, '\1'));
    EXPECT_EQ(read32(GlyphBitmapFile(glyph, 0, 96), 38), 3780u); // 3779.52
}

} // namespace

#include "comAddIn/porvex/glyphrenderer.h"
#include "platform/fonts/fontfiles.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <gtest/gtest.h>

using namespace porvex;

namespace
{

const QString ProgramFolder = QStringLiteral(MURVEL_PROGRAM_DIR);
const GlyphFont Kai24{QStringLiteral("標楷體"), 24};

class GlyphRendererTest : public ::testing::Test
{
protected:
    QString picture(const QString &name = QStringLiteral("~cp1.bmp")) const
    {
        return folder.filePath(name);
    }
    QByteArray bytesOf(const QString &path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
    GlyphRenderer renderer{ProgramFolder};
};

// The output of a program that reads the file, or the reason it could not run.
QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("failed: ") + QString::fromUtf8(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

TEST_F(GlyphRendererTest, TheSizedVariantReportsTheBlackBoxOfTheGlyph)
{
    int width = 0;
    int height = 0;
    ASSERT_TRUE(renderer.GlyphToBitmapFileSized(Kai24, "永", picture(), width, height));
    const QImage image(picture());
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(width, height));
    EXPECT_GT(width, 20);
    EXPECT_LE(height, 32 + 4);
    const QByteArray file = bytesOf(picture());
    const int rowBytes = (width + 3) / 4 * 4;
    EXPECT_EQ(file.size(), 122 + rowBytes * height);
}

TEST_F(GlyphRendererTest, ImageMagickAndPilReadAnEightBitSeventeenColourBitmap)
{
    int width = 0;
    int height = 0;
    ASSERT_TRUE(renderer.GlyphToBitmapFileSized(Kai24, "國", picture(), width, height));
    ASSERT_TRUE(renderer.GlyphToBitmapFile(Kai24, "國", picture("~cp2.bmp"), 600));

    // A palette of grays is a gray colour space to ImageMagick.
    EXPECT_EQ(run("identify", {"-format", "%z|%r|%k|%w|%h", picture()}),
              QStringLiteral("8|PseudoClass Gray |17|%1|%2").arg(width).arg(height));
    EXPECT_EQ(run("identify", {"-units", "PixelsPerInch", "-format", "%x %y", picture("~cp2.bmp")}),
              "600 600");

    const QString pil = QStringLiteral(
        "import sys\nfrom PIL import Image\nim = Image.open(sys.argv[1])\n"
        "print(im.format, im.mode, im.size[0], im.size[1], len(im.getpalette()) // 3,\n"
        "      round(im.info['dpi'][1]))");
    EXPECT_EQ(run("/usr/bin/python3", {"-c", pil, picture()}),
              QStringLiteral("BMP P %1 %2 17 96").arg(width).arg(height));
}

TEST_F(GlyphRendererTest, TheInkLiesWhereFreeTypePutsIt)
{
    ASSERT_TRUE(renderer.GlyphToBitmapFile({"標楷體", 24, false, false, false, false, 0x0000C0},
                                           "永", picture(), 96));
    const QImage image(picture());
    ASSERT_FALSE(image.isNull());

    // The same glyph straight from FreeType, in the installed font the typeface table names
    // (after the program's private-use fonts).
    const fonts::FontFile kai = fonts::fontFilesFor("標楷體", ProgramFolder).constLast();
    FT_Library library = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    FT_Face face = nullptr;
    ASSERT_EQ(FT_New_Face(library, QFile::encodeName(kai.path).constData(), kai.index, &face), 0);
    FT_Set_Pixel_Sizes(face, 0, 32);
    ASSERT_EQ(FT_Load_Char(face, U'永', FT_LOAD_NO_BITMAP | FT_LOAD_RENDER), 0);
    const FT_Bitmap &bitmap = face->glyph->bitmap;
    ASSERT_EQ(image.size(), QSize(int(bitmap.width), int(bitmap.rows)));

    const auto palette = GlyphPalette(0x0000C0);
    int inked = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int level = (bitmap.buffer[y * bitmap.pitch + x] * 16 + 127) / 255;
            const auto &entry = palette[level];
            ASSERT_EQ(image.pixelColor(x, y), QColor(entry[2], entry[1], entry[0]))
                << x << "," << y;
            inked += level == 16;
        }
    }
    EXPECT_GT(inked, 20);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

TEST_F(GlyphRendererTest, OnlyTheFirstCharacterIsDrawn)
{
    ASSERT_TRUE(renderer.GlyphToBitmapFile(Kai24, "一二", picture("~cp1.bmp"), 96));
    ASSERT_TRUE(renderer.GlyphToBitmapFile(Kai24, "一", picture("~cp2.bmp"), 96));
    EXPECT_EQ(bytesOf(picture("~cp1.bmp")), bytesOf(picture("~cp2.bmp")));
}

TEST_F(GlyphRendererTest, BoldAndItalicChangeTheInk)
{
    const auto inkOf = [&](bool bold, bool italic) {
        const std::optional<GrayGlyph> glyph =
            renderer.render(LogicalFontFor({"標楷體", 24, bold, italic}, 96), U'永');
        int ink = 0;
        for (int y = 0; glyph && y < glyph->height; ++y) {
            for (int x = 0; x < glyph->width; ++x)
                ink += glyph->level(x, y);
        }
        return std::make_pair(ink, glyph ? glyph->width : 0);
    };
    const auto regular = inkOf(false, false);
    EXPECT_GT(inkOf(true, false).first, regular.first);
    EXPECT_GT(inkOf(false, true).second, regular.second);
}

// The renderer keeps what it drew: a glyph drawn again is the one a new renderer draws, in
// its own size and face.
TEST_F(GlyphRendererTest, AGlyphDrawnAgainIsDrawnInItsOwnSizeAndFace)
{
    const auto draw = [](GlyphRenderer &with, const char *face, double size) {
        return with.render(LogicalFontFor({face, size}, 96), U'永');
    };
    const std::optional<GrayGlyph> kai = draw(renderer, "標楷體", 24);
    ASSERT_TRUE(kai);
    for (const auto &[face, size] :
         {std::pair{"標楷體", 36.0}, std::pair{"細明體", 24.0}, std::pair{"標楷體", 24.0}}) {
        GlyphRenderer fresh(ProgramFolder);
        const std::optional<GrayGlyph> kept = draw(renderer, face, size);
        const std::optional<GrayGlyph> drawn = draw(fresh, face, size);
        ASSERT_TRUE(kept && drawn) << face << size;
        EXPECT_EQ(kept->width, drawn->width) << face << size;
        EXPECT_EQ(kept->pixels, drawn->pixels) << face << size;
    }
    EXPECT_NE(draw(renderer, "細明體", 24)->pixels, kai->pixels);
}

TEST_F(GlyphRendererTest, AnExistingFileIsReplacedWhole)
{
    QFile old(picture());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(100000, 'x'));
    old.close();
    int width = 0;
    int height = 0;
    ASSERT_TRUE(renderer.GlyphToBitmapFileSized(Kai24, "一", picture(), width, height));
    EXPECT_EQ(bytesOf(picture()).size(), 122 + (width + 3) / 4 * 4 * height);
}

TEST_F(GlyphRendererTest, NothingToDrawOrNowhereToWriteFails)
{
    EXPECT_FALSE(renderer.GlyphToBitmapFile(Kai24, " ", picture(), 96));
    EXPECT_FALSE(renderer.GlyphToBitmapFile(Kai24, "", picture(), 96));
    EXPECT_FALSE(QFile::exists(picture()));
    EXPECT_FALSE(renderer.GlyphToBitmapFile(Kai24, "\U000F0000", picture(), 96));

    int width = 0;
    int height = 0;
    const QString nowhere = folder.filePath("Temp/MurvelTempDir/~cp1.bmp");
    EXPECT_FALSE(renderer.GlyphToBitmapFileSized(Kai24, "一", nowhere, width, height));
    EXPECT_GT(width, 0); // measured before the file failed
    EXPECT_FALSE(QFile::exists(nowhere));
}

TEST_F(GlyphRendererTest, AFaceWithoutFontDrawsWithItsStandInAndOperatorsWithTheirFont)
{
    ASSERT_TRUE(renderer.GlyphToBitmapFile({"標楷體外字集五", 24}, "永", picture("~cp1.bmp"), 96));
    ASSERT_TRUE(renderer.GlyphToBitmapFile(Kai24, "永", picture("~cp2.bmp"), 96));
    EXPECT_EQ(bytesOf(picture("~cp1.bmp")), bytesOf(picture("~cp2.bmp")));
    EXPECT_TRUE(renderer.GlyphToBitmapFile(Kai24, "\uF6A4", picture("~cp3.bmp"), 96));
}

TEST_F(GlyphRendererTest, AFaceFileInTheProgramFolderDrawsItsFace)
{
    QTemporaryDir programFolder;
    ASSERT_TRUE(QFile::copy(ProgramFolder + "/murvel-operators.ttf",
                            programFolder.filePath("標楷體外字集三.ttf")));
    GlyphRenderer withFaceFile(programFolder.path());
    const GlyphFont face{"標楷體外字集三", 24};
    // The face file draws the operator; a character it lacks comes from the stand-in.
    EXPECT_TRUE(withFaceFile.render(LogicalFontFor(face, 96), U'\uF6A4'));
    EXPECT_TRUE(withFaceFile.render(LogicalFontFor(face, 96), U'永'));
    GlyphRenderer withoutFaceFile(folder.path());
    EXPECT_FALSE(withoutFaceFile.render(LogicalFontFor(face, 96), U'\uF6A4'));
}

} // namespace

#include "comAddIn/porvex/glyphrenderer.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <map>
#include <utility>

namespace porvex
{

// Every FreeType object is owned here and released by its deleter, on every path.
struct GlyphRenderer::Face {
    struct Deleter {
        void operator()(FT_Face face) const { FT_Done_Face(face); }
    };
    std::unique_ptr<FT_FaceRec_, Deleter> handle; // null when the file holds no usable face
};

struct GlyphRenderer::FreeType {
    struct Deleter {
        void operator()(FT_Library library) const { FT_Done_FreeType(library); }
    };
    // Faces are declared after the library so that they are released before it.
    std::unique_ptr<FT_LibraryRec_, Deleter> library;
    std::map<std::pair<QString, int>, Face> faces;
};

GlyphRenderer::GlyphRenderer(QString programFolder)
    : m_programFolder(std::move(programFolder)), m_freeType(std::make_unique<FreeType>())
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) == 0)
        m_freeType->library.reset(library);
}

GlyphRenderer::~GlyphRenderer() = default;

int GlyphRenderer::ScreenDpi()
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr) {
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            return qRound(screen->logicalDotsPerInchY());
    }
    return 96;
}

const QList<fonts::FontFile> &GlyphRenderer::filesOf(const QString &faceName)
{
    if (const auto known = m_files.constFind(faceName); known != m_files.cend())
        return *known;
    return *m_files.insert(faceName, fonts::fontFilesFor(faceName, m_programFolder));
}

GlyphRenderer::Face *GlyphRenderer::face(const fonts::FontFile &file)
{
    const auto key = std::make_pair(file.path, file.index);
    if (const auto known = m_freeType->faces.find(key); known != m_freeType->faces.end())
        return &known->second;
    Face &opened = m_freeType->faces[key];
    FT_Face handle = nullptr;
    if (m_freeType->library &&
        FT_New_Face(m_freeType->library.get(), QFile::encodeName(file.path).constData(), file.index,
                    &handle) == 0)
        opened.handle.reset(handle);
    return &opened;
}

std::optional<GrayGlyph> GlyphRenderer::render(const LogicalFont &font, char32_t character)
{
    const DrawnKey key{font.faceName, font.height, font.weight, font.italic, character};
    if (const auto known = m_drawn.constFind(key); known != m_drawn.cend())
        return *known;
    std::optional<GrayGlyph> glyph = draw(font, character);
    // The glyphs kept stay within a bound; past it the renderer starts again from none.
    constexpr qsizetype keptBytes = 32 << 20;
    const qsizetype size = glyph ? glyph->pixels.size() : 0;
    if (m_drawnBytes + size > keptBytes) {
        m_drawn.clear();
        m_drawnBytes = 0;
    }
    m_drawn.insert(key, glyph);
    m_drawnBytes += size;
    return glyph;
}

std::optional<GrayGlyph> GlyphRenderer::draw(const LogicalFont &font, char32_t character)
{
    const FT_UInt pixels = FT_UInt(std::abs(font.height));
    for (const fonts::FontFile &file : filesOf(font.faceName)) {
        FT_Face handle = face(file)->handle.get();
        if (handle == nullptr || FT_Get_Char_Index(handle, character) == 0)
            continue;
        if (pixels == 0 || FT_Set_Pixel_Sizes(handle, 0, pixels) != 0 ||
            FT_Load_Char(handle, character, FT_LOAD_NO_BITMAP) != 0)
            return std::nullopt;
        FT_GlyphSlot slot = handle->glyph;
        if (font.weight >= 700 && !(handle->style_flags & FT_STYLE_FLAG_BOLD))
            FT_GlyphSlot_Embolden(slot);
        if (font.italic && !(handle->style_flags & FT_STYLE_FLAG_ITALIC))
            FT_GlyphSlot_Oblique(slot);
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0)
            return std::nullopt;
        const FT_Bitmap &bitmap = slot->bitmap;
        if (bitmap.width == 0 || bitmap.rows == 0)
            return std::nullopt;
        GrayGlyph glyph;
        glyph.width = int(bitmap.width);
        glyph.height = int(bitmap.rows);
        glyph.pixels = QByteArray(glyph.rowBytes() * glyph.height, '\0');
        for (int y = 0; y < glyph.height; ++y) {
            const unsigned char *source = bitmap.buffer + qsizetype(y) * bitmap.pitch;
            char *target = glyph.pixels.data() + qsizetype(y) * glyph.rowBytes();
            for (int x = 0; x < glyph.width; ++x)
                target[x] = char((source[x] * 16 + 127) / 255); // 256 levels to 17
        }
        return glyph;
    }
    return std::nullopt;
}

bool GlyphRenderer::writeFile(const GlyphFont &font, const QString &text, const QString &path,
                              int dpi, int &width, int &height)
{
    if (text.isEmpty())
        return false;
    const int resolution = dpi > 0 ? dpi : ScreenDpi();
    const std::optional<GrayGlyph> glyph =
        render(LogicalFontFor(font, resolution), text.toUcs4().constFirst());
    if (!glyph)
        return false;
    width = glyph->width;
    height = glyph->height;
    // Written over the old file, which is then cut to the new length when it was longer, so
    // an older file keeps none of its bytes. Cutting a file to nothing before writing it
    // again would make the file system flush it to disk, which costs far more than drawing
    // the glyph; a new file, or one as long, is not cut at all.
    QFile file(path);
    const QByteArray bytes = GlyphBitmapFile(*glyph, font.color, resolution);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    const qint64 oldSize = file.size();
    return file.write(bytes) == bytes.size() && file.flush() &&
           (oldSize <= bytes.size() || file.resize(bytes.size()));
}

bool GlyphRenderer::GlyphToBitmapFile(const GlyphFont &font, const QString &text,
                                      const QString &path, int dpi)
{
    int width = 0;
    int height = 0;
    return writeFile(font, text, path, dpi, width, height);
}

bool GlyphRenderer::GlyphToBitmapFileSized(const GlyphFont &font, const QString &text,
                                           const QString &path, int &width, int &height)
{
    return writeFile(font, text, path, 0, width, height);
}

} // namespace porvex

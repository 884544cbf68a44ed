#pragma once

#include "comAddIn/porvex/glyphbitmap.h"
#include "platform/fonts/fontfiles.h"

#include <QHash>
#include <QString>
#include <memory>
#include <optional>

namespace porvex
{

// Draws one character of a typeface into a glyph bitmap file with FreeType. Typeface names
// resolve through the program's typeface table: the face files of the program folder, the
// installed families that stand in for the named faces, and the operator font; a character
// that the first font lacks is drawn by the next one that has it.
//
// The renderer keeps FreeType and the font files it opened until it is destroyed, and the
// glyphs it drew, so that a character drawn again in the same font is not drawn anew (a
// document repeats its characters). One thread.
class GlyphRenderer
{
public:
    explicit GlyphRenderer(QString programFolder);
    ~GlyphRenderer();
    GlyphRenderer(const GlyphRenderer &) = delete;
    GlyphRenderer &operator=(const GlyphRenderer &) = delete;

    // The black box of the character in the logical font; nullopt when no font of the face
    // has the character or its box is empty (a blank).
    std::optional<GrayGlyph> render(const LogicalFont &font, char32_t character);

    // Draws the first character of text in the font at dpi (0: the screen's) into the file,
    // replacing a file of that name whole. False when nothing is drawn, and then the file is
    // untouched, or when the file cannot be written.
    bool GlyphToBitmapFile(const GlyphFont &font, const QString &text, const QString &path,
                           int dpi);
    // The same at the screen's resolution; width and height are the glyph's in pixels, set
    // once it is drawn, also when the file cannot be written.
    bool GlyphToBitmapFileSized(const GlyphFont &font, const QString &text, const QString &path,
                                int &width, int &height);

    // The vertical resolution of the screen: that of the primary screen while a
    // QGuiApplication runs, else 96.
    static int ScreenDpi();

private:
    struct FreeType;
    struct Face;
    // What a drawn glyph depends on: underline and strike-out never show in the bitmap.
    struct DrawnKey {
        QString faceName;
        int height = 0;
        int weight = 0;
        bool italic = false;
        char32_t character = 0;

        bool operator==(const DrawnKey &) const = default;
        friend size_t qHash(const DrawnKey &key, size_t seed = 0)
        {
            return qHashMulti(seed, key.faceName, key.height, key.weight, key.italic,
                              uint(key.character));
        }
    };
    Face *face(const fonts::FontFile &file);
    const QList<fonts::FontFile> &filesOf(const QString &faceName);
    std::optional<GrayGlyph> draw(const LogicalFont &font, char32_t character);
    bool writeFile(const GlyphFont &font, const QString &text, const QString &path, int dpi,
                   int &width, int &height);

    QString m_programFolder;
    std::unique_ptr<FreeType> m_freeType;
    QHash<QString, QList<fonts::FontFile>> m_files; // by typeface name
    QHash<DrawnKey, std::optional<GrayGlyph>> m_drawn;
    qsizetype m_drawnBytes = 0;
};

} // namespace porvex

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
// The renderer keeps FreeType and the font files it opened until it is destroyed. One
// thread.
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
    Face *face(const fonts::FontFile &file);
    const QList<fonts::FontFile> &filesOf(const QString &faceName);
    bool writeFile(const GlyphFont &font, const QString &text, const QString &path, int dpi,
                   int &width, int &height);

    QString m_programFolder;
    std::unique_ptr<FreeType> m_freeType;
    QHash<QString, QList<fonts::FontFile>> m_files; // by typeface name
};

} // namespace porvex

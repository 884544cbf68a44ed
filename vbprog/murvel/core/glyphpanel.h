#pragma once

#include <QString>
#include <array>

// The glyph attribute panel of the main window as a model: the texts of its thirteen boxes,
// by box name, and the typeface of txt字形. The window shows what the model holds; the
// filling procedures (glyphattributes.h) and tests work on the model alone.
class GlyphPanel
{
public:
    static constexpr int BoxCount = 13;
    struct Box {
        QString name;
        QString caption;
    };
    // The boxes in the order of their focus codes 1..13 (gFocusedBox), in which the window
    // lays them out and fills them.
    static const std::array<Box, BoxCount> Boxes;

    // The focus code of a box, 1..13; 0 for another name.
    static int focusCodeOf(const QString &box);
    // The box of a focus code; empty for another code.
    static QString boxOfFocusCode(int code);

    // The text of a box; an unknown name reads empty.
    QString text(const QString &box) const;
    // An unknown name is a programmer error: it is logged and nothing changes.
    void setText(const QString &box, const QString &text);

    // The typeface of txt字形; empty until a glyph has been shown (the box's own font).
    const QString &glyphFace() const { return m_glyphFace; }
    void setGlyphFace(const QString &face) { m_glyphFace = face; }

private:
    std::array<QString, BoxCount> m_texts; // By position in Boxes.
    QString m_glyphFace;
};

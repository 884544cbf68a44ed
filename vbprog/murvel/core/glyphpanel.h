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
    // The box names, in the order in which the panel is filled.
    static const std::array<QString, BoxCount> BoxNames;

    // The text of a box; an unknown name reads empty.
    QString text(const QString &box) const;
    // An unknown name is a programmer error: it is logged and nothing changes.
    void setText(const QString &box, const QString &text);

    // The typeface of txt字形; empty until a glyph has been shown (the box's own font).
    const QString &glyphFace() const { return m_glyphFace; }
    void setGlyphFace(const QString &face) { m_glyphFace = face; }

private:
    std::array<QString, BoxCount> m_texts; // By position in BoxNames.
    QString m_glyphFace;
};

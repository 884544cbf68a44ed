#pragma once

#include <QString>

// The analysis views that follow the current glyph (structure, variant characters, variant
// components, evolution, index). The main window and the other views push a glyph into a
// view through 載入字形, and only while the view's open flag is set.
class GlyphView
{
public:
    virtual ~GlyphView() = default;

    // Loads the glyph (face: a script typeface name, which chooses the script database;
    // number: its 編號 in that script). Returns at once, changing nothing, while the view is
    // locked or when number is 0 or less.
    virtual void 載入字形(const QString &face, const QString &glyph, qint32 number) = 0;

    // The lock: while set, the view ignores 載入字形.
    virtual bool isLocked() const = 0;
};

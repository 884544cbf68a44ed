#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

// One row of a reference view's list as its loader builds it, before it reaches the list.
struct ReferenceRow {
    QString text;
    int parent = -1;               // the index of the parent row; -1 at top level
    QString fontName;              // empty: none of its own (the list's)
    std::optional<qreal> fontSize; // none: the list's
    qint32 data = NoGlyphData;     // 編號 of a glyph row; NoGlyphData on every other row
    QVariant flag;                 // the copy tag read by the main window's copy command
    bool node = false;             // PictureNode, else PictureLeaf
    bool richText = false;         // the text is a GlyphRtf document
    bool expanded = false;         // shows its children once the list is filled

    static constexpr qint32 NoGlyphData = -9999;
    static constexpr qreal LabelSize = 12.0; // of title, edition, value and source rows
};

using ReferenceRows = QList<ReferenceRow>;

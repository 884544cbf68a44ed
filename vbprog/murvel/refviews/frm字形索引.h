#pragma once

#include "vbprog/murvel/refviews/referenceview.h"

// The index view (kind 16): where the current glyph stands in the printed dictionaries, the
// collections of the ancient scripts and two code tables, each block switched on by an
// option item under 字形索引 of the 選項 menu. A selection here reaches the structure and the
// two variant views, not the evolution view.
class frm字形索引 : public ReferenceView
{
public:
    explicit frm字形索引(QWidget *parent = nullptr);

    // Rebuilds the list for the glyph: the glyph row, then its reference blocks. A glyph that
    // leads to no regular record leaves the list and the status box as they were.
    void 載入字形(const QString &face, const QString &glyph, qint32 number) override;
};

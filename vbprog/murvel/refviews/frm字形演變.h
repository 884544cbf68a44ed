#pragma once

#include "vbprog/murvel/refviews/referenceview.h"

// The evolution view (kind 15): the current glyph and under it its oracle-bone, bronze, Chu
// and small-seal forms with their sources, each script switched on by an option item under
// 字形演變 of the 選項 menu. A selection here reaches every other open analysis view.
class frm字形演變 : public ReferenceView
{
public:
    explicit frm字形演變(QWidget *parent = nullptr);

    // Rebuilds the list for the glyph. The status box is emptied only when a form is shown;
    // a glyph that leads to no regular record leaves the list and the status box as they were.
    void 載入字形(const QString &face, const QString &glyph, qint32 number) override;

    // The list keeps its typeface and the script rows theirs; a rich-text row is drawn again
    // from the plain text of its copy tag in the new base typeface, every other row follows
    // the base family.
    void baseFontChanged() override;
};

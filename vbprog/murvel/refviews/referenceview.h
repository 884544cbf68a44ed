#pragma once

#include "vbprog/murvel/mainwindow/glyphview.h"
#include "vbprog/murvel/refviews/referencerows.h"
#include "vbprog/murvel/views/glyphlistwindow.h"

// The frame of the two reference views (index and evolution): a glyph list window with the
// lock that follows the current glyph, whose rows are rebuilt whole by each 載入字形.
class ReferenceView : public GlyphListWindow, public GlyphView
{
public:
    bool isLocked() const override { return GlyphListWindow::isLocked(); }

    // Only the glyph rows (one character) take the new size: titles, labels and sources keep
    // theirs.
    void fontSizeChanged() override;

protected:
    explicit ReferenceView(GlyphListTraits traits, QWidget *parent = nullptr);

    void loadGlyph(const QString &face, const QString &glyph, qint32 number) override
    {
        載入字形(face, glyph, number);
    }

    // The typeface of a record's FaceCode as the list shows it, from the copy of the
    // typeface names made at load; a code that names none falls back to FaceCode 0's
    // typeface, as the panel does.
    QString glyphFaceOfCode(const QVariant &code) const;

    // Replaces the list's rows by these, with its drawing off while they are added.
    void showRows(const ReferenceRows &rows);

    // Whether an option item of the main window's menus has its check mark.
    static bool optionChecked(const QString &item);
    // gGlyphViewMessage and the main window's status box are emptied.
    static void clearStatus();
};

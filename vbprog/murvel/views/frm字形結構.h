#pragma once

#include "vbprog/murvel/mainwindow/glyphview.h"
#include "vbprog/murvel/views/glyphlistwindow.h"
#include "vbprog/murvel/views/structuretree.h"

#include <QPixmap>

// The structure view (WindowKind 12, caption "字形結構"): the current glyph at the root, its
// components below it, each composite component opened one level at a time. Ancient-script
// components carry the marks of their roles.
class frm字形結構 : public GlyphListWindow, public GlyphView
{
public:
    explicit frm字形結構(QWidget *parent = nullptr);

    void load() override;

    // Rebuilds the tree for the glyph: the root and its first level, shown. Nothing while
    // the view is locked or for a number of 0 or less.
    void 載入字形(const QString &face, const QString &glyph, qint32 number) override;
    bool isLocked() const override { return GlyphListWindow::isLocked(); }

    // Adds the children of item `index`, read from the 檢字表 of the script that `face`
    // names.
    void 載入使用字形(int index, const QString &face);

protected:
    void loadGlyph(const QString &face, const QString &glyph, qint32 number) override;

private:
    // Loads the children of an item that holds only its placeholder.
    void onExpand(int index);
    StructureOptions options() const;

    int mMarkCount = 0; // items marked since the last 載入字形
    QPixmap m_question; // imgQuestion
};

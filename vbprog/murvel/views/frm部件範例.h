#pragma once

#include "vbprog/murvel/mainwindow/componentlistview.h"
#include "vbprog/murvel/views/glyphlistwindow.h"

// The component-list window: one window for the lists of kinds 1..10 (symbols, trigrams,
// the radicals of the two dictionaries, roots, small-seal and bronze components, component
// characters), rebuilt for the list opened last. Item 0 is a title row; the component
// glyphs are its children, with their regular-script 編號. The lists of kinds 1..8 are
// filtered by the main window's stroke filters, whose positions the window remembers from
// its last query and gives back to them when it is activated.
class frm部件範例 : public GlyphListWindow, public ComponentListView
{
public:
    explicit frm部件範例(QWidget *parent = nullptr);

    // Fills the list again for the stroke-count position (0 any count) and the first-stroke
    // position (0 any first stroke) of the main window's stroke filters.
    void 部件查詢(int strokes, int firstStroke) override;

    // Takes the kind from gOpeningWindowKind and the filters from the main window, and
    // queries; runs again for each list opened into the window.
    void load() override;
    void activated() override;
    void unload() override;
    // Only the list's typeface follows: the items carry none of their own.
    void baseFontChanged() override;

private:
    int mStrokeFilter = 0;
    int mFirstStrokeFilter = 0;
};

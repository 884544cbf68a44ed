#pragma once

#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/mainwindow/childwindow.h"

#include <QList>
#include <QString>
#include <array>

class OutlineList;
class QLabel;
class QVBoxLayout;

// How one list view differs from the others in the behaviour they share.
struct GlyphListTraits {
    QString title = {};                   // the caption ("字形結構", ...)
    bool *openFlag = nullptr;             // gOpen字形結構 and the like; null: the view has none
    QString *statusMessage = nullptr;     // what activation shows in txt狀態; null: nothing
    QString menuItem = {};                // the menu item enabled again on unload; empty: none
    bool hasLock = false;                 // the lock image imglock
    bool startsWithEmptyItem = false;     // one empty item until a glyph is loaded
    bool loadsCurrentGlyph = false;       // loads the main window's glyph when it opens
    bool reselectsOnActivate = false;     // activation repeats the selection's broadcast
    bool selectShowsStatus = false;       // a selection puts the status message in txt狀態
    bool selectsOneCharacterOnly = false; // and passes CanonicalFontName of the typeface
    bool firstItemIsTitle = false;        // the component lists: item 0 is a title row
    int listFocusCode = 0;                // gFocusedBox when the list gets the focus; 0 none
    bool listFocusIsCurrentWindow = true; // the list's focus makes the view the current window
    bool selectsGlyphRowsOnly = false;    // only one-character items, with their own typeface
    bool selectMakesCurrentWindow = false; // a selection first makes the view the current one
    QList<int> selectSkipsKinds = {};      // views a selection never tells, besides itself
    bool keepsListFace = false;            // the load leaves the list's own typeface alone
};

// The traits of the view of a kind 11..16: its caption, open flag and menu item from the
// window-kind table, the rest as given.
GlyphListTraits ViewTraits(int kind, GlyphListTraits traits);

// A child window built around one outline list, tree字形樹狀結構: the behaviour the glyph
// list views share. Loading, activation, focus, the lock, the selection broadcast (panel
// first, then 載入字形 on the other open analysis views in their fixed order) and unloading.
// Each view adds its own loader.
class GlyphListWindow : public ChildWindow
{
public:
    explicit GlyphListWindow(GlyphListTraits traits, QWidget *parent = nullptr);

    OutlineList *list() const { return m_list; }

    // The lock: imglock's Tag is "1" while locked, "0" otherwise.
    bool isLocked() const;
    // A click on imglock: toggles the lock, its picture, tooltip and the caption.
    void toggleLock();

    void load() override;
    void activated() override;
    void unload() override;
    void baseFontChanged() override;
    void fontSizeChanged() override;
    std::optional<ListItem> selectedListItem() const override;

    // The selection broadcast of the list's Select event.
    void onSelect();

protected:
    // Views that show one glyph load the main window's glyph here when they open.
    virtual void loadGlyph(const QString &face, const QString &glyph, qint32 number);

    // Puts a widget above the list (the derivation view's formula box).
    void addAboveList(QWidget *widget);

    const GlyphListTraits &traits() const { return m_traits; }
    // mWindowKind and mWindowName, taken from gOpeningWindowKind when the window loads.
    int mWindowKind = 0;
    QString mWindowName;
    // The typeface names by FaceCode, copied at load up to the first empty entry.
    std::array<QString, FaceCodeCount> mFaceNames;

private:
    void updateCaption();
    bool selectionIsBroadcast() const;

    GlyphListTraits m_traits;
    QVBoxLayout *m_layout; // owned by the window
    OutlineList *m_list;   // owned by the window
    QLabel *m_lock;        // owned by the window; null without a lock
};

#pragma once

#include <QList>
#include <QString>

// What the child views need of the main window, and all they may reach of it: the status
// box, the check marks of the menus they read, the glyph box and panel, the glyph
// broadcast, the stroke filters and the child-window events. The main window implements
// it; a view test can stand in a small fake.
class MainWindowServices
{
public:
    virtual ~MainWindowServices() = default;

    // txt狀態.
    virtual void setStatusText(const QString &text) = 0;

    // Whether a menu item carries its check mark; false for an unknown item.
    virtual bool isMenuChecked(const QString &item) const = 0;
    // Enables a menu item again (a view's own item when the view closes).
    virtual void enableMenuItem(const QString &item) = 0;

    // The text of the glyph box txt字形.
    virtual QString glyphBoxText() const = 0;
    // Shows a glyph (face, glyph, number in the script the face names) on the attribute
    // panel and its formula in txt構字式; returns the typeface the glyph box then shows.
    virtual QString showGlyphOnPanel(const QString &face, const QString &glyph, qint32 number) = 0;

    // 載入字形 on every open analysis view in the broadcast order, except the skipped kinds.
    virtual void broadcastGlyph(const QString &face, const QString &glyph, qint32 number,
                                const QList<int> &skippedKinds) = 0;

    // The stroke filters: the selected positions, and the text of a first-stroke item.
    virtual int strokeFilterIndex() const = 0;
    virtual int firstStrokeFilterIndex() const = 0;
    virtual QString firstStrokeText(int index) const = 0;

    // The child-window events: a child was activated (OnChildWindowActivated) or closed
    // (OnChildWindowClosed).
    virtual void childWindowActivated(int kind, int strokeIndex, int firstStrokeIndex) = 0;
    virtual void childWindowClosed() = 0;
};

// The main window's services; null while there is no main window.
MainWindowServices *Services();
// Makes services the ones Services() returns (null: none).
void SetServices(MainWindowServices *services);

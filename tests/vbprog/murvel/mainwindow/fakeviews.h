#pragma once

#include "vbprog/murvel/mainwindow/childwindow.h"
#include "vbprog/murvel/mainwindow/componentlistview.h"
#include "vbprog/murvel/mainwindow/glyphview.h"

#include <QLineEdit>
#include <QStringList>
#include <functional>

// Stand-ins for the views, which record what the main window asks of them.
struct ViewLog {
    QStringList events;
    // Runs inside each view's load, so that a test can look at the state it loads in.
    std::function<void(int kind)> onLoad;
};

// An analysis view (kinds 11..16): follows glyphs, restyles, offers a list item to copy.
class FakeView : public ChildWindow, public GlyphView
{
public:
    FakeView(ViewLog &log, bool *openFlag);

    void load() override;
    void unload() override;
    void baseFontChanged() override;
    void fontSizeChanged() override;
    std::optional<ListItem> selectedListItem() const override { return selectedItem; }
    QLineEdit *formulaBox() const override { return m_formulaBox; }

    void 載入字形(const QString &face, const QString &glyph, qint32 number) override;
    bool isLocked() const override { return false; }

    std::optional<ListItem> selectedItem;

private:
    ViewLog &m_log;
    bool *m_openFlag;        // one of the gOpen flags; null for a view without one
    QLineEdit *m_formulaBox; // owned by the view
};

// The component-list window (kinds 1..10).
class FakeComponentList : public ChildWindow, public ComponentListView
{
public:
    explicit FakeComponentList(ViewLog &log) : m_log(log) {}

    void load() override;
    void 部件查詢(int strokeCount, int firstStroke) override;

private:
    ViewLog &m_log;
};

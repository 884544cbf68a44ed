#pragma once

#include "vbprog/murvel/core/glyphpanel.h"
#include "vbprog/murvel/core/panellookup.h"
#include "vbprog/murvel/mainwindow/childwindows.h"
#include "vbprog/murvel/mainwindow/glyphpanelwidget.h"
#include "vbprog/murvel/mainwindow/mainmenus.h"
#include "vbprog/murvel/mainwindow/mainwindowservices.h"
#include "vbprog/murvel/mainwindow/presetlayouts.h"
#include "vbprog/murvel/mainwindow/toolstrip.h"

#include <QHash>
#include <QMainWindow>
#include <functional>

class QKeyEvent;
class QLineEdit;
class QMdiArea;
class ToolStrip;

// The main window: the multiple-document area of the child windows, the tool strip
// pic構字符號 (font bar, stroke filters, symbol bar), the glyph attribute panel pic字形屬性
// with its thirteen boxes and the status box txt狀態, and the menus.
//
// startUp() is the window's load (settings, databases, shared tables, the last run's
// windows); closing the window is its shut-down (child windows recorded, databases
// closed, settings written while 結束時儲存視窗設定 has its mark).
class mdi漢字字形 : public QMainWindow, public MainWindowServices, public ToolStripHost
{
public:
    // The program folder holds the databases, murvel.ini and the help file.
    explicit mdi漢字字形(const QString &programFolder);
    ~mdi漢字字形() override;

    // How problems that stop the program or lose settings reach the user; a message box
    // unless replaced.
    void setProblemReporter(std::function<void(const QString &)> report);

    // The whole start-up. False when the databases cannot be opened: the problem has been
    // reported and the program cannot work.
    bool startUp();

    ChildWindows &childWindows() { return m_childWindows; }
    MainMenus &menus() { return m_menus; }
    ToolStrip &toolStrip() { return *m_toolStrip; }
    QMdiArea &mdiArea() { return *m_area; }

    // A panel box by name (txt編號 .. txt組字字數含異寫); null for another name.
    QLineEdit *box(const QString &name) const { return m_panelWidget->box(name); }
    QLineEdit *statusBox() const { return m_panelWidget->statusBox(); }

    // The panel's model. readPanel() takes the boxes' texts into it; showPanel() puts the
    // model into the boxes, in the order the panel fills them.
    GlyphPanel &panel() { return m_panel; }
    void readPanel() { m_panelWidget->read(m_panel); }
    void showPanel() { m_panelWidget->fill(m_panel); }

    // The preset layouts 簡易瀏覽一..四 (Simple) and 預設瀏覽一..四 (Advanced); another
    // number does nothing.
    void applyPresetLayout(PresetFamily family, int number);

    // Child windows side by side over the whole area, full height, the window activated
    // last on the left; hidden and minimised windows take no part.
    void tileSideBySide();

    // What the child views reach of the main window.
    void setStatusText(const QString &text) override;
    bool isMenuChecked(const QString &item) const override;
    void enableMenuItem(const QString &item) override;
    QString glyphBoxText() const override;
    QString showGlyphOnPanel(const QString &face, const QString &glyph, qint32 number) override;
    void broadcastGlyph(const QString &face, const QString &glyph, qint32 number,
                        const QList<int> &skippedKinds) override;
    int strokeFilterIndex() const override;
    int firstStrokeFilterIndex() const override;
    QString firstStrokeText(int index) const override;
    void childWindowActivated(int kind, int strokeIndex, int firstStrokeIndex) override;
    void childWindowClosed() override;

    // What the tool strip asks of the window.
    void baseFontChanged() override;
    void fontSizeChanged() override;
    void showSymbol(const QString &symbol) override;
    void strokeFiltersChanged(int strokeCount, int firstStroke) override;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectMenus();
    void onSubWindowActivated();
    void showWindowList();
    void restoreSession();
    void restoreLastRun();
    void layOutFirstRun();
    void shutDown();
    void refreshSettingsMirror();
    void reportProblem(const QString &problem);

    // Glyph lookups: Enter in txt字形, txt構字式 or txt編號 shows what m_lookup found; and
    // the automatic copy of the glyph and formula boxes.
    void connectPanel();
    void panelKeyPressed(QLineEdit *target, const QKeyEvent *event);
    void showLookup(const LookupOutcome &outcome);
    void showHit(qint32 number, const ViewGlyph &viewGlyph);
    void showMiss(const QString &status);
    void txt字形_Change();
    void txt構字式_Change();

    // Menu handlers.
    void openView(int kind);
    void openComponentList(int kind);
    void copySelection();
    void pasteClipboard();
    QString copyTextOfListItem(int kind) const;
    void chooseFont();
    void choosePresetLayout(PresetFamily family);
    void showHelp();
    void showAbout();

    const QString m_programFolder;
    QMdiArea *const m_area; // owned by the window
    ChildWindows m_childWindows;
    MainMenus m_menus;
    ToolStrip *m_toolStrip;                   // owned by the window
    GlyphPanelWidget *m_panelWidget;          // owned by the window
    QList<QAction *> m_windowListItems;       // owned by the 視窗 menu
    const QWidget *m_lastActivated = nullptr; // not owned; compared only
    GlyphPanel m_panel;
    PanelLookup m_lookup;
    bool m_shutDown = false;
    std::function<void(const QString &)> m_reportProblem;
};

// The main window of the program; null while there is none.
mdi漢字字形 *MainWindow();

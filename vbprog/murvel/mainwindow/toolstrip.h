#pragma once

#include <QWidget>

class QComboBox;

// What the tool strip asks of the window that holds it.
class ToolStripHost
{
public:
    // The base typeface or the glyph size changed: every loaded view follows.
    virtual void baseFontChanged() = 0;
    virtual void fontSizeChanged() = 0;
    // A symbol of the symbol bar was chosen: the panel shows it.
    virtual void showSymbol(const QString &symbol) = 0;
    // The stroke filters changed: the component list lists again.
    virtual void strokeFiltersChanged(int strokeCount, int firstStroke) = 0;
    virtual void setStatusText(const QString &text) = 0;

protected:
    ~ToolStripHost() = default;
};

// The tool strip pic構字符號 along the main window's top: the font bar (cbo字型名稱,
// cbo字體大小), the stroke filters (cbo首筆, cbo筆畫) and the symbol bar (cbo符號類型,
// cbo符號), with their fixed items, tooltips and handlers.
class ToolStrip : public QWidget
{
public:
    explicit ToolStrip(ToolStripHost &host, QWidget *parent = nullptr);

    // The combo boxes, owned by the strip.
    QComboBox *const fontName;
    QComboBox *const fontSize;
    QComboBox *const firstStroke;
    QComboBox *const strokeCount;
    QComboBox *const symbolType;
    QComboBox *const symbol;

    // Fills the stroke-count box: "1-99" (item data 0), then "1" to "99" (item data n).
    void fillStrokeCounts();

    // Takes the font bar's typeface or size as the base one; also run by the font dialog.
    void applyFontName();
    void applyFontSize();
    // Lists the symbols of the chosen symbol type and shows the first.
    void listSymbols();
    // Both stroke filters back to "all", without listing again.
    void clearStrokeFilters();

    // Enter in a typed box of the font bar or the stroke-count box applies its text; true
    // when the key was taken. Leaving an emptied box puts the current value back.
    bool keyPressed(QObject *watched, int key);
    void lostFocus(QObject *watched);
    bool holds(const QObject *watched) const;

private:
    void strokeCountChosen();
    void firstStrokeChosen();

    ToolStripHost &m_host;
    int m_strokeFilter = 0;
    int m_firstStrokeFilter = 0;
};

#pragma once

#include <QWidget>

class QComboBox;

// The tool strip pic構字符號 along the main window's top: the font bar (cbo字型名稱,
// cbo字體大小), the stroke filters (cbo首筆, cbo筆畫) and the symbol bar (cbo符號類型,
// cbo符號), with their fixed items and tooltips. The main window runs their handlers.
class ToolStrip : public QWidget
{
public:
    explicit ToolStrip(QWidget *parent = nullptr);

    // The combo boxes, owned by the strip.
    QComboBox *const fontName;
    QComboBox *const fontSize;
    QComboBox *const firstStroke;
    QComboBox *const strokeCount;
    QComboBox *const symbolType;
    QComboBox *const symbol;

    // Fills the stroke-count box: "1-99" (item data 0), then "1" to "99" (item data n).
    void fillStrokeCounts();
};

#include "vbprog/murvel/mainwindow/公用視窗.h"

#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/mainwindow/childwindow.h"
#include "vbprog/murvel/mainwindow/childwindows.h"
#include "vbprog/murvel/mainwindow/mdi漢字字形.h"
#include "vbprog/murvel/mainwindow/toolstrip.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"
#include "vbprog/murvel/mainwindow/windowplacement.h"

#include <QComboBox>
#include <QMdiSubWindow>

void SaveWindowPositions()
{
    mdi漢字字形 *main = MainWindow();
    if (main == nullptr)
        return;
    for (const char *section :
         {"構形部件", "字形孳乳", "字形結構", "字形演變", "字形索引", "異體字表", "異體字根"})
        gIni.setOn(section, QStringLiteral("open"), false);
    for (const ChildWindow *window : main->childWindows().loaded())
        RecordPlacement(window->frame(), window->windowKind());
}

void OnChildWindowClosed()
{
    mdi漢字字形 *main = MainWindow();
    if (main == nullptr || !main->childWindows().loaded().isEmpty())
        return;
    gCurrentWindowName = gWindowNames[WindowKinds::Main];
    gCurrentWindowKind = WindowKinds::Main;
    ResetStrokeFilters();
}

void OnChildWindowActivated(int /*kind*/, int strokeIndex, int firstStrokeIndex)
{
    mdi漢字字形 *main = MainWindow();
    if (main == nullptr)
        return;
    bool listOpen = false;
    for (const ChildWindow *window : main->childWindows().loaded())
        listOpen = listOpen || IsStrokeFilterableKind(window->windowKind());

    ToolStrip &strip = main->toolStrip();
    strip.strokeCount->setEnabled(listOpen);
    strip.firstStroke->setEnabled(listOpen);
    if (!listOpen) {
        gStrokeFiltersReady = false;
        return;
    }
    gStrokeFiltersReady = false;
    if (strokeIndex != StrokePositionUnchanged) {
        strip.strokeCount->setCurrentIndex(strokeIndex);
        strip.firstStroke->setCurrentIndex(firstStrokeIndex);
    }
    gStrokeFiltersReady = true;
}

void ResetStrokeFilters()
{
    mdi漢字字形 *main = MainWindow();
    if (main == nullptr)
        return;
    ToolStrip &strip = main->toolStrip();
    strip.strokeCount->setEnabled(false);
    strip.firstStroke->setEnabled(false);
    strip.strokeCount->setCurrentIndex(1);
    strip.firstStroke->setCurrentIndex(0);
}

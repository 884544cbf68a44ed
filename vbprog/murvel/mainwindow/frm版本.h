#pragma once

#include <QDialog>
#include <functional>

// The about box "關於Tesvani": the program's version (the application version set from the
// build) and credits, placed over the main window below the bars along its top.
class frm版本 : public QDialog
{
public:
    // `onClosed` runs whenever the box closes, however it is closed.
    frm版本(QWidget &mainWindow, int topBarsHeightPixels, std::function<void()> onClosed);
};

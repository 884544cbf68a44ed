#pragma once

#include "vbprog/murvel/mainwindow/presetlayouts.h"

#include <QDialog>
#include <array>
#include <functional>

class QFrame;

// The modal picker of one family of preset layouts: four miniatures `pic預設瀏覽` in a
// 2 x 2 grid (index 0 top left .. 3 bottom right, picture i showing layout i + 1), the
// frames `shp預設瀏覽` around them, and OKButton / CancelButton. Pictures, frames and the
// view labels inside the pictures are control arrays: they share their objectName and
// carry their picture's number in the property "index".
//
// On load the frame of the chosen layout (gPresetLayoutNumber, when gPresetIsSimple names
// this family) shows and gPresetDialogOk is cleared; a click on a picture or a label
// moves the frame there; OK records the framed number and the family and sets
// gPresetDialogOk; Cancel changes nothing.
class PresetPicker : public QDialog
{
public:
    // `onClosed` runs whenever the dialog closes, however it is closed.
    PresetPicker(PresetFamily family, const QString &caption, std::function<void()> onClosed,
                 QWidget *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void addMiniature(int index, QPoint place);
    void showFrameAround(int index);
    void recordChoice();

    PresetFamily family_;
    std::array<QFrame *, 4> frames_{}; // owned by the dialog
};

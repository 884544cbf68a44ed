#pragma once

#include "vbprog/kavrot/kavrotsettings.h"
#include "vbprog/toolkit/batchwindow.h"

class QComboBox;
class QFileDialog;
class QLineEdit;

namespace kavrot
{

// The transcoder's window "Dumvaro" (objectName `kavrot`): the source file or folder, the
// destination folder and the reference unit, the batch started with "轉換" and stopped
// with Pause/Break, its progress in lblMessage and lblCvtCount. The choices are read from
// murvel.ini in the main program's folder when the window opens and written back when it
// closes. The buttons are disabled while a batch runs.
class KavrotWindow : public toolkit::BatchWindow
{
public:
    explicit KavrotWindow(QWidget *parent = nullptr);

protected:
    void keepSettings() override;

private:
    void buildControls();
    void showSettings();
    void chooseReferenceUnit(int index);
    void chooseSourceFile();
    void chooseSourceFolder();
    void chooseDestinationFolder();
    void convert();

    QString m_mainDir;
    QString m_settingsFile; // empty when the main program's folder is unknown
    KavrotSettings m_settings;
    QString m_refDbPath;

    QComboBox *m_cboRefFile = nullptr;
    QFileDialog *m_commonDialog = nullptr;
    QLineEdit *m_txtSrcFileOrDir = nullptr;
    QLineEdit *m_txtDstDir = nullptr;
};

} // namespace kavrot

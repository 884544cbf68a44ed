#pragma once

#include "vbprog/kavrot/kavrotsettings.h"
#include "vbprog/kavrot/transcoderun.h"
#include "vbprog/toolkit/eventpace.h"

#include <QWidget>

class QComboBox;
class QFileDialog;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kavrot
{

// The transcoder's window "Dumvaro" (objectName `kavrot`): the source file or folder, the
// destination folder and the reference unit, the batch started with "轉換" and stopped
// with Pause/Break, its progress in lblMessage and lblCvtCount. The choices are read from
// murvel.ini in the main program's folder when the window opens and written back when it
// closes. The buttons are disabled while a batch runs.
class KavrotWindow : public QWidget, private BatchObserver
{
public:
    explicit KavrotWindow(QWidget *parent = nullptr);
    ~KavrotWindow() override;

    bool busy() const { return m_busy; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // BatchObserver
    void letEventsRun() override;
    bool stopRequested() const override { return m_stopRequested; }
    QString message() const override;
    void setMessage(const QString &text) override;
    void setCount(int count) override;
    void refuse(const QString &title, const QString &text) override;

    void buildControls();
    void showSettings();
    void chooseReferenceUnit(int index);
    void chooseSourceFile();
    void chooseSourceFolder();
    void chooseDestinationFolder();
    void convert();
    void askToStop();
    void setControlsEnabled(bool enabled);

    QString m_mainDir;
    QString m_settingsFile; // empty when the main program's folder is unknown
    KavrotSettings m_settings;
    QString m_refDbPath;
    bool m_busy = false;
    bool m_stopRequested = false;
    toolkit::EventPace m_eventPace;

    QComboBox *m_cboRefFile = nullptr;
    QFileDialog *m_commonDialog = nullptr;
    QLineEdit *m_txtSrcFileOrDir = nullptr;
    QLineEdit *m_txtDstDir = nullptr;
    QLabel *m_lblMessage = nullptr;
    QLabel *m_lblCvtCount = nullptr;
    QList<QWidget *> m_controls; // disabled during a batch
};

} // namespace kavrot

#pragma once

#include "vbprog/relmend/repairobserver.h"
#include "vbprog/relmend/sourcechoice.h"
#include "vbprog/toolkit/eventpace.h"

#include <QWidget>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace relmend
{

// The repairer's window "Selmira" (objectName "relmend"): the source file or folder, the
// buttons that choose it, "修復" and "關閉", the count of files done and the progress text.
// Pause/Break during a batch asks whether to stop, whichever control has the focus. The
// choice is restored from and kept in the key FixPath of section Convert of the main
// program's murvel.ini.
class RelmendWindow : public QWidget, private RepairObserver
{
public:
    // settingsPath: murvel.ini of the main program; empty when the main program is not
    // found, in which case the window says so and neither reads nor writes settings.
    explicit RelmendWindow(const QString &settingsPath, QWidget *parent = nullptr);
    ~RelmendWindow() override;

    // The dialogs, replaceable for tests: the Word file chosen, the folder chosen, and the
    // answer to "確定要停止修復？". Each gives nothing (or false) when the user cancels.
    std::function<std::optional<QString>(const QString &startFolder)> chooseFile;
    std::function<std::optional<QString>(const QString &startFolder)> chooseFolder;
    std::function<bool()> confirmStop;

    const SourceChoice &choice() const { return m_choice; }
    bool busy() const { return Busy; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QString message() const override;
    void setMessage(const QString &text) override;
    void setFixCount(const QString &text) override;
    void letEventsRun(word::StoryType story) override;
    bool stopRequested() const override { return StopRequested; }

    void choose(const SourceChoice &choice);
    void cmdSrcFileClick();
    void cmdSrcDirClick();
    void cmdFixClick();
    void setControlsEnabled(bool enabled);
    void saveChoice();

    QString m_settingsPath;
    SourceChoice m_choice;
    bool Busy = false;
    bool StopRequested = false;
    toolkit::EventPace m_eventPace;

    QLineEdit *m_txtSrcFileOrDir;
    QPushButton *m_cmdSrcFile;
    QPushButton *m_cmdSrcDir;
    QPushButton *m_cmdFix;
    QPushButton *m_cmdClose;
    QLabel *m_lblFixCount;
    QLabel *m_lblMessage;
};

} // namespace relmend

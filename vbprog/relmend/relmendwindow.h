#pragma once

#include "vbprog/relmend/sourcechoice.h"
#include "vbprog/toolkit/batchwindow.h"

#include <functional>
#include <optional>

class QLineEdit;

namespace relmend
{

// The repairer's window "Selmira" (objectName "relmend"): the source file or folder, the
// buttons that choose it, "修復" and "關閉", the count of files done and the progress text.
// Pause/Break during a batch asks whether to stop, whichever control has the focus. The
// choice is restored from and kept in the key FixPath of section Convert of the main
// program's murvel.ini.
class RelmendWindow : public toolkit::BatchWindow
{
public:
    // settingsPath: murvel.ini of the main program; empty when the main program is not
    // found, in which case the window says so and neither reads nor writes settings.
    explicit RelmendWindow(const QString &settingsPath, QWidget *parent = nullptr);

    // The dialogs, replaceable for tests: the Word file chosen and the folder chosen. Each
    // gives nothing when the user cancels. (The answer to "確定要停止修復？" is confirmStop.)
    std::function<std::optional<QString>(const QString &startFolder)> chooseFile;
    std::function<std::optional<QString>(const QString &startFolder)> chooseFolder;

    const SourceChoice &choice() const { return m_choice; }

protected:
    void keepSettings() override;

private:
    void choose(const SourceChoice &choice);
    void cmdSrcFileClick();
    void cmdSrcDirClick();
    void cmdFixClick();

    QString m_settingsPath;
    SourceChoice m_choice;

    QLineEdit *m_txtSrcFileOrDir;
};

} // namespace relmend

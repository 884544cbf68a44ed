#pragma once

#include "vbprog/murvel/core/missingcharacterlog.h"

#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tallyq
{

// The statistics window "Pelqua" (objectName "frmPelqua"): where the missing-character log
// lies and how many entries it holds; "開啟" opens a readable view of it in the user's
// editor, "更新" removes the entries that murvel.mdb now holds.
class frmPelqua : public QWidget
{
public:
    // windowsFolder: the folder of usrhanzi.txt; mainProgramDir: the main program's folder,
    // empty when it is not found; viewFolder: where the log's readable view is written.
    frmPelqua(const QString &windowsFolder, const QString &mainProgramDir,
              const QString &viewFolder, QWidget *parent = nullptr);

    // Opens the log's view in an editor; replaceable for tests. False when nothing could be
    // started.
    std::function<bool(const QString &viewPath)> openLog;

private:
    void cmdOpenClick();
    void cmdUpdateClick();
    void showCount(int count);

    MissingCharacterLog m_log;
    QString m_mainProgramDir;
    QString m_viewFolder;

    QLineEdit *m_txtFile;
    QLabel *m_lblCount;
    QLabel *m_lblMessage;
    QPushButton *m_cmdOpen;
    QPushButton *m_cmdUpdate;
};

} // namespace tallyq

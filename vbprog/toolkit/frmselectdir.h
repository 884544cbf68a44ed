#pragma once

#include "vbprog/toolkit/drives.h"

#include <QDialog>
#include <QStringList>
#include <optional>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace toolkit
{

// The folder picker of the batch tools, "選取目錄": a drive list (`drvList`), the folder
// list of the current drive (`dirList`: the current folder's parents, the folder itself and
// its subfolders; opening an entry makes it current) and the current folder (`lblCurDir`),
// which "確定" (`cmdOK`) returns. A folder that is only highlighted becomes current when
// the folder list loses the focus, and so before "確定" answers.
class frmSelectDir : public QDialog
{
public:
    // startDir: the folder to open on; when it is empty or cannot be opened, the picker
    // opens on the process's current folder. Loading makes the shown folder the process's
    // current folder. drives: what the drive list offers.
    explicit frmSelectDir(const QString &startDir, QWidget *parent = nullptr,
                          const QStringList &drives = mountedDrives());

    // Shows the picker modally; the folder chosen with "確定", nullopt after "取消" or
    // the close box.
    static std::optional<QString> pick(QWidget *parent, const QString &startDir);

    // True only when the picker was closed with "確定".
    bool pickConfirmed() const { return m_confirmed; }
    // The folder chosen, as lblCurDir showed it; valid when pickConfirmed().
    const QString &pickedDir() const { return m_picked; }

    // The folder list's current folder.
    const QString &path() const { return m_path; }
    // Opens the folder; false, changing nothing, when it is no readable folder.
    bool setPath(const QString &folder);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillFolderList();
    void openHighlightedFolder();
    void changeDrive();
    void showDriveOf(const QString &folder);

    QStringList m_drives;
    QString m_path;
    bool m_confirmed = false;
    QString m_picked;

    QComboBox *m_drvList;
    QListWidget *m_dirList;
    QLabel *m_lblCurDir;
    QPushButton *m_cmdOK;
    QPushButton *m_cmdCancel;
};

} // namespace toolkit

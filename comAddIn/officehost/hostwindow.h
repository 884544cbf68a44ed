#pragma once

#include "comAddIn/officehost/caretmap.h"
#include "platform/common/result.h"

#include <QMainWindow>

class QAction;
class QLabel;
class QPlainTextEdit;

namespace officehost
{

class CommandBarUi;
class HostDocument;
class HostProgram;

// The window of one open document: its texts with a caret and selection that are the
// host's selection (a whole cell, as a highlighted line without a caret, where the host
// selects cells), the host's command bars as the Tools menu and toolbars, the host's
// status bar, and the File commands.
class HostWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The program and the document outlive the window, or the program calls
    // forgetDocument() before the document goes. Without a document the window offers
    // the File commands only.
    HostWindow(HostProgram &program, HostDocument *document);
    ~HostWindow() override;

    // nullptr once the host has closed the document.
    HostDocument *document() const { return m_document; }
    CommandBarUi &commandBars() const { return *m_commandBarUi; }

    // Clicks the control with the tag, as the user picks it from this window's menu or
    // toolbar: the add-in acts on this window's document.
    platform::Result<bool> clickTag(const QString &tag);
    // Writes the document when it holds changes not saved yet.
    platform::Result<bool> save();

    // Shows the model's texts and selection (again after an add-in changed them), with the
    // selection scrolled into view. The window shows nothing of the document before.
    void refresh();
    // Makes the window's selection the host's selection, as when the user sets it.
    void selectInDocument();
    // The host has closed the document: the window closes without asking to save.
    void forgetDocument() { m_document = nullptr; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildMenus();
    void saveFromMenu();
    void showAddInsDialog();
    void removeProtection();
    void selectionChangedByUser();
    void showSelection(const SegmentSelection &selection);
    void showStatus();

    HostProgram &m_program;
    HostDocument *m_document; // not owned
    QPlainTextEdit *m_text = nullptr;
    QLabel *m_status = nullptr;
    QMenu *m_toolsMenu = nullptr;
    QMenu *m_toolbarList = nullptr;
    QAction *m_unprotect = nullptr;
    CommandBarUi *m_commandBarUi = nullptr;
    CaretMap m_map;
    bool m_refreshing = false;
};

} // namespace officehost

#pragma once

#include "comAddIn/officehost/caretmap.h"
#include "platform/common/result.h"

#include <QMainWindow>
#include <memory>

class QAction;
class QLabel;
class QPlainTextEdit;

namespace officehost
{

class AddInConnections;
class CommandBarUi;
class HostDocument;

// The host program's window: the document's texts with a caret and selection that are
// the host's selection, the host's command bars as the Tools menu and toolbars, the host's
// status bar, and the File commands.
class HostWindow : public QMainWindow
{
    Q_OBJECT

public:
    HostWindow();
    ~HostWindow() override;

    // Opens the file in the host of its kind and connects the registered add-ins of that
    // host (after disconnecting those of the document shown before). On failure the
    // window keeps what it showed and the failure is returned.
    platform::Result<bool> openDocument(const QString &path);
    HostDocument *document() const { return m_document.get(); }
    AddInConnections *addIns() const { return m_addIns.get(); }
    CommandBarUi &commandBars() const { return *m_commandBarUi; }

    // Clicks the control with the tag, as the user picks it from a menu or a toolbar.
    platform::Result<bool> clickTag(const QString &tag);
    platform::Result<bool> save();

    // Shows the model's texts and selection again (after an add-in changed them).
    void refresh();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void openFromDialog();
    void saveFromMenu();
    void showAddInsDialog();
    void removeProtection();
    void selectionChangedByUser();
    void showStatus();
    void closeDocument();

    QPlainTextEdit *m_text = nullptr;
    QLabel *m_status = nullptr;
    QMenu *m_toolsMenu = nullptr;
    QMenu *m_toolbarList = nullptr;
    QAction *m_unprotect = nullptr;
    CommandBarUi *m_commandBarUi = nullptr;
    CaretMap m_map;
    bool m_refreshing = false;
    // The connections use the document's application: declared after it, they go first.
    std::unique_ptr<HostDocument> m_document;
    std::unique_ptr<AddInConnections> m_addIns;
};

} // namespace officehost

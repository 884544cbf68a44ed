#include "comAddIn/officehost/hostwindow.h"

#include "comAddIn/officehost/addinconnections.h"
#include "comAddIn/officehost/addinsdialog.h"
#include "comAddIn/officehost/commandbarui.h"
#include "comAddIn/officehost/hostdocument.h"
#include "platform/office/host/hostapplication.h"
#include "platform/registry/registrystore.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTimer>

namespace officehost
{

HostWindow::HostWindow()
{
    setObjectName(u"officeHost"_qs);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(u"documentText"_qs);
    // The text changes only through the host's commands; the caret and selection are the
    // user's, and they are the host's selection.
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QFont textFont = m_text->font();
    textFont.setPointSize(14);
    m_text->setFont(textFont);
    setCentralWidget(m_text);
    connect(m_text, &QPlainTextEdit::cursorPositionChanged, this,
            &HostWindow::selectionChangedByUser);
    connect(m_text, &QPlainTextEdit::selectionChanged, this, &HostWindow::selectionChangedByUser);

    m_status = new QLabel(this);
    m_status->setObjectName(u"hostStatusBar"_qs);
    statusBar()->addWidget(m_status, 1);
    // The host's status-bar text is set by add-ins while they run, also between the
    // points where they let the window paint.
    auto *statusTimer = new QTimer(this);
    connect(statusTimer, &QTimer::timeout, this, &HostWindow::showStatus);
    statusTimer->start(100);

    buildMenus();
    m_commandBarUi = new CommandBarUi(*this, *m_toolsMenu, *m_toolbarList);
    connect(m_commandBarUi, &CommandBarUi::controlClicked, this, &HostWindow::refresh);
    resize(1000, 700);
    setWindowTitle(u"Office 主程式"_qs);
}

HostWindow::~HostWindow()
{
    closeDocument();
}

void HostWindow::buildMenus()
{
    QMenu *file = menuBar()->addMenu(u"檔案(&F)"_qs);
    file->setObjectName(u"fileMenu"_qs);
    QAction *open = file->addAction(u"開啟(&O)..."_qs, this, &HostWindow::openFromDialog);
    open->setObjectName(u"fileOpen"_qs);
    open->setShortcut(QKeySequence::Open);
    QAction *save = file->addAction(u"儲存(&S)"_qs, this, &HostWindow::saveFromMenu);
    save->setObjectName(u"fileSave"_qs);
    save->setShortcut(QKeySequence::Save);
    m_unprotect = file->addAction(u"取消保護文件(&P)"_qs, this, &HostWindow::removeProtection);
    m_unprotect->setObjectName(u"fileUnprotect"_qs);
    file->addSeparator();
    QAction *addIns = file->addAction(u"增益集(&I)..."_qs, this, &HostWindow::showAddInsDialog);
    addIns->setObjectName(u"fileAddIns"_qs);
    file->addSeparator();
    QAction *quit = file->addAction(u"結束(&X)"_qs, this, &QWidget::close);
    quit->setObjectName(u"fileExit"_qs);

    QMenu *view = menuBar()->addMenu(u"檢視(&V)"_qs);
    view->setObjectName(u"viewMenu"_qs);
    m_toolbarList = view->addMenu(u"工具列(&T)"_qs);
    m_toolbarList->setObjectName(u"toolbarList"_qs);

    m_toolsMenu = menuBar()->addMenu(u"工具(&T)"_qs);
    m_toolsMenu->setObjectName(u"toolsMenu"_qs);
}

platform::Result<bool> HostWindow::openDocument(const QString &path)
{
    auto opened = HostDocument::open(path);
    if (!opened.ok())
        return platform::Result<bool>::failure(opened.errorString());
    closeDocument();
    m_document = std::move(opened.value());
    office::HostApplication &application = m_document->application();
    m_commandBarUi->setCommandBars(application.commandBars());
    m_addIns = std::make_unique<AddInConnections>(application);
    m_addIns->connectAll(registry::RegistryStore());
    m_commandBarUi->rebuild();
    setWindowTitle(
        u"%1 - %2"_qs.arg(QFileInfo(m_document->fullName()).fileName(), application.name()));
    refresh();
    return true;
}

void HostWindow::closeDocument()
{
    m_addIns.reset(); // disconnects every add-in as the host exits (RemoveMode 0)
    m_commandBarUi->setCommandBars(nullptr);
    m_document.reset();
    m_map = CaretMap();
}

platform::Result<bool> HostWindow::clickTag(const QString &tag)
{
    if (!m_document)
        return platform::Result<bool>::failure(u"沒有開啟的文件"_qs);
    return m_commandBarUi->clickTag(tag);
}

platform::Result<bool> HostWindow::save()
{
    if (!m_document)
        return platform::Result<bool>::failure(u"沒有開啟的文件"_qs);
    return m_document->save();
}

void HostWindow::refresh()
{
    m_unprotect->setEnabled(m_document && m_document->isProtected());
    showStatus();
    if (!m_document) {
        m_text->clear();
        return;
    }
    m_refreshing = true;
    m_map = CaretMap(m_document->segments());
    if (m_text->toPlainText() != m_map.displayText())
        m_text->setPlainText(m_map.displayText());
    if (const auto selection = m_document->selection()) {
        QTextCursor cursor = m_text->textCursor();
        cursor.setPosition(m_map.toDisplay(selection->segment, selection->start));
        cursor.setPosition(m_map.toDisplay(selection->segment, selection->end),
                           QTextCursor::KeepAnchor);
        m_text->setTextCursor(cursor);
    }
    m_refreshing = false;
}

void HostWindow::selectionChangedByUser()
{
    if (m_refreshing || !m_document)
        return;
    const QTextCursor cursor = m_text->textCursor();
    if (const auto selection = m_map.toModel(cursor.anchor(), cursor.position()))
        m_document->select(*selection);
}

void HostWindow::showStatus()
{
    const office::HostApplication *application = m_document ? &m_document->application() : nullptr;
    const bool shown = application && application->displayStatusBar();
    statusBar()->setVisible(!application || shown);
    const QString text = application ? application->statusBar() : QString();
    if (m_status->text() != text)
        m_status->setText(text);
}

void HostWindow::openFromDialog()
{
    const QString path = QFileDialog::getOpenFileName(
        this, u"開啟"_qs, QString(), u"文件 (*.docx *.xlsx *.pptx *.html *.htm)"_qs);
    if (path.isEmpty())
        return;
    if (auto opened = openDocument(path); !opened.ok())
        QMessageBox::warning(this, u"開啟"_qs, opened.errorString());
}

void HostWindow::saveFromMenu()
{
    if (auto saved = save(); !saved.ok())
        QMessageBox::warning(this, u"儲存"_qs, saved.errorString());
    refresh();
}

void HostWindow::removeProtection()
{
    if (!m_document || !m_document->isProtected())
        return;
    m_document->unprotect();
    refresh();
}

void HostWindow::showAddInsDialog()
{
    if (!m_addIns)
        return;
    AddInsDialog dialog(*m_addIns, this);
    dialog.exec();
    refresh();
}

void HostWindow::closeEvent(QCloseEvent *event)
{
    if (m_document && !m_document->saved()) {
        const auto answer = QMessageBox::question(
            this, windowTitle(), u"要儲存對 %1 的變更嗎？"_qs.arg(m_document->fullName()),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        if (answer == QMessageBox::Cancel) {
            event->ignore();
            return;
        }
        if (answer == QMessageBox::Save) {
            if (auto saved = save(); !saved.ok()) {
                QMessageBox::warning(this, u"儲存"_qs, saved.errorString());
                event->ignore();
                return;
            }
        }
    }
    event->accept();
}

} // namespace officehost

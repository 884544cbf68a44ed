#include "comAddIn/officehost/hostwindow.h"

#include "comAddIn/officehost/addinsdialog.h"
#include "comAddIn/officehost/commandbarui.h"
#include "comAddIn/officehost/hostdocument.h"
#include "comAddIn/officehost/hostmessages.h"
#include "comAddIn/officehost/hostprogram.h"
#include "comAddIn/officehost/privateusefaces.h"
#include "comAddIn/officehost/wrapmode.h"
#include "platform/office/host/hostapplication.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTimer>

namespace officehost
{

HostWindow::HostWindow(HostProgram &program, HostDocument *document)
    : m_program(program), m_document(document)
{
    setObjectName(u"officeHost"_qs);
    setAttribute(Qt::WA_DeleteOnClose);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(u"documentText"_qs);
    // The text changes only through the host's commands; the caret and selection are the
    // user's, and they are the host's selection.
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // A scroll bar that comes and goes changes the width and lays a long text out again.
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // A host that selects whole cells shows the active cell as a highlighted line, without
    // a caret that would promise typing inside the cell's text.
    if (document && document->selectsWholeSegments())
        m_text->setCursorWidth(0);
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
    connect(m_commandBarUi, &CommandBarUi::clickStarting, this,
            [this] { m_program.clickStarting(*this); });
    connect(m_commandBarUi, &CommandBarUi::controlClicked, this,
            [this] { m_program.clickFinished(); });
    resize(1000, 700);
    setWindowTitle(u"Office 主程式"_qs);
    if (document) {
        m_commandBarUi->setCommandBars(document->application().commandBars());
        setWindowTitle(u"%1 - %2"_qs.arg(QFileInfo(document->fullName()).fileName(),
                                         document->application().name()));
    }
}

HostWindow::~HostWindow() = default;

void HostWindow::buildMenus()
{
    QMenu *file = menuBar()->addMenu(u"檔案(&F)"_qs);
    file->setObjectName(u"fileMenu"_qs);
    QAction *open =
        file->addAction(u"開啟(&O)..."_qs, this, [this] { m_program.openFromDialog(this); });
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
    QAction *quit = file->addAction(u"結束(&X)"_qs, this, [this] { m_program.closeAll(); });
    quit->setObjectName(u"fileExit"_qs);

    QMenu *view = menuBar()->addMenu(u"檢視(&V)"_qs);
    view->setObjectName(u"viewMenu"_qs);
    m_toolbarList = view->addMenu(u"工具列(&T)"_qs);
    m_toolbarList->setObjectName(u"toolbarList"_qs);

    m_toolsMenu = menuBar()->addMenu(u"工具(&T)"_qs);
    m_toolsMenu->setObjectName(u"toolsMenu"_qs);
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
    // A conversion saves what it changed itself: writing it again would only cost time.
    if (m_document->saved())
        return true;
    return m_document->save();
}

void HostWindow::refresh()
{
    m_unprotect->setEnabled(m_document && m_document->isProtected());
    showStatus();
    if (!m_document)
        return;
    m_refreshing = true;
    const QList<TextSegment> segments = m_document->segments();
    m_map = CaretMap(segments);
    if (m_text->toPlainText() != m_map.displayText()) {
        m_text->setWordWrapMode(wrapModeFor(m_map.displayText()));
        m_text->setPlainText(m_map.displayText());
    }
    ShowPrivateUseFaces(*m_text, m_map, segments, *m_document);
    if (const auto selection = m_document->selection())
        showSelection(*selection);
    m_refreshing = false;
}

void HostWindow::showSelection(const SegmentSelection &selection)
{
    QTextCursor cursor = m_text->textCursor();
    QList<QTextEdit::ExtraSelection> cells;
    if (m_document->selectsWholeSegments()) {
        const auto [start, end] = m_map.segmentSpan(selection.segment);
        cursor.setPosition(m_map.toDisplay(selection.segment, 0));
        QTextEdit::ExtraSelection cell;
        cell.cursor = m_text->textCursor();
        cell.format.setBackground(m_text->palette().highlight());
        cell.format.setForeground(m_text->palette().highlightedText());
        cell.format.setProperty(QTextFormat::FullWidthSelection, true);
        // A highlight reaches across the whole width of the lines it runs past the end of;
        // a collapsed one at the cell's end does so for its last line.
        cell.cursor.setPosition(start);
        cell.cursor.setPosition(end, QTextCursor::KeepAnchor);
        cells.append(cell);
        cell.cursor.clearSelection();
        cells.append(cell);
    } else {
        cursor.setPosition(m_map.toDisplay(selection.segment, selection.start));
        cursor.setPosition(m_map.toDisplay(selection.segment, selection.end),
                           QTextCursor::KeepAnchor);
    }
    m_text->setTextCursor(cursor);
    m_text->setExtraSelections(cells);
    m_text->ensureCursorVisible();
}

void HostWindow::selectInDocument()
{
    if (!m_document)
        return;
    const QTextCursor cursor = m_text->textCursor();
    if (const auto selection = m_map.toModel(cursor.anchor(), cursor.position())) {
        m_document->select(*selection);
        if (m_document->selectsWholeSegments()) {
            m_refreshing = true;
            showSelection(*selection);
            m_refreshing = false;
        }
    }
}

void HostWindow::selectionChangedByUser()
{
    if (!m_refreshing)
        selectInDocument();
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

void HostWindow::saveFromMenu()
{
    if (auto saved = save(); !saved.ok())
        showWarning(this, u"儲存"_qs, saved.errorString());
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
    if (!m_program.addIns())
        return;
    AddInsDialog dialog(*m_program.addIns(), this);
    dialog.exec();
    refresh();
}

void HostWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_program.windowActivated(*this);
}

void HostWindow::closeEvent(QCloseEvent *event)
{
    if (m_document && !m_document->saved()) {
        const SaveAnswer answer = askToSave(
            this, windowTitle(), u"要儲存對 %1 的變更嗎？"_qs.arg(m_document->fullName()));
        if (answer == SaveAnswer::Cancel) {
            event->ignore();
            return;
        }
        if (answer == SaveAnswer::Save) {
            if (auto saved = save(); !saved.ok()) {
                showWarning(this, u"儲存"_qs, saved.errorString());
                event->ignore();
                return;
            }
        }
    }
    event->accept();
    m_program.windowClosed(*this);
}

} // namespace officehost

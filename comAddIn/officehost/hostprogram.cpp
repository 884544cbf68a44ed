#include "comAddIn/officehost/hostprogram.h"

#include "comAddIn/officehost/addinconnections.h"
#include "comAddIn/officehost/hostmessages.h"
#include "comAddIn/officehost/hostsession.h"
#include "comAddIn/officehost/hostwindow.h"
#include "platform/office/host/hostapplication.h"
#include "platform/registry/registrystore.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <QWindow>
#include <utility>

namespace officehost
{

HostProgram::HostProgram()
{
    // A question asked during a click shows where the host stands (the chooser).
    qApp->installEventFilter(this);
}

HostProgram::~HostProgram()
{
    qApp->removeEventFilter(this);
    for (const QPointer<HostWindow> &window : std::as_const(m_windows)) {
        if (window) {
            window->forgetDocument();
            delete window;
        }
    }
    m_windows.clear();
    m_addIns.reset(); // disconnects every add-in as the host exits (RemoveMode 0)
    m_session.reset();
}

platform::Result<bool> HostProgram::openDocument(const QString &path)
{
    if (auto kind = HostSession::checkKind(path); !kind.ok())
        return kind;
    if (!m_session) {
        auto opened = HostSession::open(path);
        if (!opened.ok())
            return platform::Result<bool>::failure(opened.errorString());
        m_session = std::move(opened.value());
        m_addIns = std::make_unique<AddInConnections>(m_session->application());
        m_addIns->connectAll(registry::RegistryStore());
    } else if (HostWindow *open = windowOfFile(path)) {
        // A second window on the same file would let one save over the other.
        open->raise();
        open->activateWindow();
        return true;
    } else if (HostSession::hostNameFor(path) == m_session->application().name() &&
               m_session->opensMore()) {
        if (auto opened = m_session->openFile(path); !opened.ok())
            return opened;
    } else {
        if (!QProcess::startDetached(QCoreApplication::applicationFilePath(), {path}))
            return platform::Result<bool>::failure(u"無法啟動另一個主程式開啟 %1"_qs.arg(path));
        return true;
    }
    followSession();
    if (HostWindow *window = activeWindow())
        window->activateWindow();
    return true;
}

void HostProgram::openFromDialog(QWidget *parent)
{
    const QString path = QFileDialog::getOpenFileName(
        parent, u"開啟"_qs, QString(), u"文件 (*.docx *.xlsx *.pptx *.html *.htm)"_qs);
    if (path.isEmpty())
        return;
    if (auto opened = openDocument(path); !opened.ok())
        showWarning(parent, u"開啟"_qs, opened.errorString());
}

HostWindow *HostProgram::showEmptyWindow()
{
    auto *window = new HostWindow(*this, nullptr);
    m_windows.append(window);
    window->show();
    window->refresh();
    return window;
}

QList<HostWindow *> HostProgram::windows() const
{
    QList<HostWindow *> open;
    for (const QPointer<HostWindow> &window : m_windows) {
        if (window && window->document())
            open.append(window);
    }
    return open;
}

HostWindow *HostProgram::windowOf(const HostDocument *document) const
{
    for (HostWindow *window : windows()) {
        if (window->document() == document)
            return window;
    }
    return nullptr;
}

HostWindow *HostProgram::windowOfFile(const QString &path) const
{
    const QString file = QFileInfo(path).absoluteFilePath();
    for (HostWindow *window : windows()) {
        if (QFileInfo(window->document()->fullName()).absoluteFilePath() == file)
            return window;
    }
    return nullptr;
}

HostWindow *HostProgram::activeWindow() const
{
    return m_session ? windowOf(m_session->activeDocument()) : nullptr;
}

void HostProgram::closeAll()
{
    for (HostWindow *window : windows()) {
        if (!window->close())
            return;
    }
}

void HostProgram::activateDocumentOf(HostWindow &window)
{
    HostDocument *document = window.document();
    if (!m_session || !document || m_session->activeDocument() == document)
        return;
    m_session->activate(*document);
    // The host's selection may have stood in the document left behind.
    window.selectInDocument();
}

void HostProgram::windowActivated(HostWindow &window)
{
    // During a click the add-in decides which document is active.
    if (!m_clicking)
        activateDocumentOf(window);
}

void HostProgram::clickStarting(HostWindow &window)
{
    activateDocumentOf(window);
    m_clicking = true;
}

void HostProgram::clickFinished()
{
    m_clicking = false;
    followSession();
    if (HostWindow *window = activeWindow()) {
        window->raise();
        window->activateWindow();
    }
}

void HostProgram::windowClosed(HostWindow &window)
{
    HostDocument *document = window.document();
    window.forgetDocument();
    if (document && m_session) {
        m_session->close(*document);
        followSession();
    }
}

void HostProgram::followSession()
{
    if (!m_session)
        return;
    const QList<HostDocument *> documents = m_session->documents();
    // New windows first: closing the last window shown would end the program.
    for (HostDocument *document : documents) {
        HostWindow *window = windowOf(document);
        if (!window) {
            window = new HostWindow(*this, document);
            m_windows.append(window);
            // Shown first, so that the text is laid out once, at the window's size.
            window->show();
        }
        window->refresh();
    }
    for (const QPointer<HostWindow> &window : std::as_const(m_windows)) {
        if (window && window->isVisible() && !documents.contains(window->document())) {
            window->forgetDocument();
            window->close();
        }
    }
    m_windows.removeAll(nullptr);
}

void HostProgram::showWorkedOnDocument(QWidget *question)
{
    followSession();
    m_inFront = {activeWindow(), question};
    if (!m_inFront.window)
        return;
    // The question belongs to that window: window managers keep it above it.
    if (QWindow *asking = question->windowHandle())
        asking->setTransientParent(m_inFront.window->windowHandle());
    // A window opened just now is raised once the window system shows it.
    if (m_inFront.window->windowHandle()->isExposed())
        bringWorkedOnDocumentForward();
}

void HostProgram::bringWorkedOnDocumentForward()
{
    const InFront inFront = std::exchange(m_inFront, {});
    if (inFront.window)
        inFront.window->raise();
    if (inFront.question) {
        QTimer::singleShot(0, inFront.question, [question = inFront.question] {
            question->raise();
            question->activateWindow();
        });
    }
}

bool HostProgram::eventFilter(QObject *watched, QEvent *event)
{
    if (m_clicking && event->type() == QEvent::Show) {
        if (auto *dialog = qobject_cast<QDialog *>(watched); dialog && dialog->isModal())
            showWorkedOnDocument(dialog);
    } else if (event->type() == QEvent::Expose && m_inFront.window &&
               watched == m_inFront.window->windowHandle() &&
               m_inFront.window->windowHandle()->isExposed()) {
        bringWorkedOnDocumentForward();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace officehost

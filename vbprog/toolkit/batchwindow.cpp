#include "vbprog/toolkit/batchwindow.h"

#include "platform/system/waitcursor.h"
#include "vbprog/toolkit/messageboxes.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>

namespace toolkit
{

BatchWindow::BatchWindow(const QString &stopTitle, const QString &stopText, QWidget *parent)
    : QWidget(parent)
{
    confirmStop = [this, stopTitle, stopText] { return askYesNo(this, stopTitle, stopText); };
    // Pause/Break is caught whichever control has the focus.
    qApp->installEventFilter(this);
}

BatchWindow::~BatchWindow()
{
    qApp->removeEventFilter(this);
}

void BatchWindow::showProgressIn(QLabel *message, QLabel *count)
{
    m_message = message;
    m_count = count;
}

void BatchWindow::run(const std::function<void()> &batch)
{
    if (m_busy)
        return;
    m_busy = true;
    m_stopRequested = false;
    setControlsEnabled(false);
    {
        const sys::WaitCursor hourglass;
        batch();
    }
    setControlsEnabled(true);
    m_busy = false;
}

void BatchWindow::setControlsEnabled(bool enabled)
{
    for (QWidget *control : std::as_const(m_controls))
        control->setEnabled(enabled);
}

bool BatchWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Pause) {
        if (m_busy && !m_stopRequested)
            m_stopRequested = confirmStop();
        return m_busy;
    }
    return QWidget::eventFilter(watched, event);
}

void BatchWindow::closeEvent(QCloseEvent *event)
{
    // A running batch ends by Pause/Break, not by closing its window under it.
    if (m_busy) {
        event->ignore();
        return;
    }
    keepSettings();
    event->accept();
}

QString BatchWindow::message() const
{
    return m_message->text();
}

void BatchWindow::setMessage(const QString &text)
{
    m_message->setText(text);
}

void BatchWindow::setCount(std::optional<int> count)
{
    m_count->setText(count ? QString::number(*count) : QString());
}

void BatchWindow::refuse(const QString &title, const QString &text)
{
    showMessage(this, QMessageBox::Warning, title, text);
}

} // namespace toolkit

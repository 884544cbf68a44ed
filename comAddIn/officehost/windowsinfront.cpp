#include "comAddIn/officehost/windowsinfront.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace officehost
{

namespace
{

QWindow *g_owner = nullptr; // of the ForeignOwner that lives

} // namespace

ForeignOwner::ForeignOwner(quintptr windowId)
{
    if (windowId == 0 || g_owner != nullptr)
        return;
    m_window.reset(QWindow::fromWinId(WId(windowId)));
    g_owner = m_window.get();
}

ForeignOwner::~ForeignOwner()
{
    if (g_owner == m_window.get())
        g_owner = nullptr;
}

QWindow *ForeignOwner::current()
{
    return g_owner;
}

WindowsInFront::WindowsInFront()
{
    qApp->installEventFilter(this);
}

WindowsInFront::~WindowsInFront()
{
    qApp->removeEventFilter(this);
}

bool WindowsInFront::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show) {
        if (auto *widget = qobject_cast<QWidget *>(watched); widget && widget->isWindow()) {
            // Shown before the window system maps it: it is mapped as the owner's.
            QWindow *owner = ForeignOwner::current();
            if (owner && !widget->parentWidget() && widget->windowHandle())
                widget->windowHandle()->setTransientParent(owner);
            // Once the window system has it.
            QTimer::singleShot(0, widget, [widget] {
                widget->raise();
                widget->activateWindow();
            });
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace officehost

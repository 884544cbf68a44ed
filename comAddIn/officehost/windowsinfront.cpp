#include "comAddIn/officehost/windowsinfront.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace officehost
{

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

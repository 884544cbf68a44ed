#include "vbprog/murvel/mainwindow/childwindow.h"

#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/mainwindow/公用視窗.h"

#include <QCloseEvent>
#include <QMdiSubWindow>

ChildWindow::ChildWindow(QWidget *parent) : QWidget(parent)
{
}

QMdiSubWindow *ChildWindow::frame() const
{
    return qobject_cast<QMdiSubWindow *>(parentWidget());
}

void ChildWindow::activated()
{
    const int kind = windowKind();
    gCurrentWindowName = kind >= 0 && kind < WindowKindCount ? gWindowNames[kind] : QString();
    gCurrentWindowKind = kind;
    OnChildWindowActivated(kind, StrokePositionUnchanged, 0);
}

void ChildWindow::closeEvent(QCloseEvent *event)
{
    if (m_closing) {
        event->accept();
        return;
    }
    m_closing = true;
    unload();
    OnChildWindowClosed();
    event->accept();
}

#include "vbprog/murvel/mainwindow/childwindows.h"

#include "vbprog/murvel/mainwindow/childwindow.h"
#include "vbprog/murvel/mainwindow/windowplacement.h"

#include <QMdiArea>
#include <QMdiSubWindow>

ChildWindows::ChildWindows(QMdiArea *area) : m_area(area)
{
}

void ChildWindows::setFactory(int firstKind, int lastKind, Factory factory)
{
    m_registrations.prepend({firstKind, lastKind, std::move(factory)});
}

const ChildWindows::Registration *ChildWindows::registrationOf(int kind) const
{
    for (const Registration &registration : m_registrations) {
        if (kind >= registration.firstKind && kind <= registration.lastKind)
            return &registration;
    }
    return nullptr;
}

QList<ChildWindow *> ChildWindows::loaded() const
{
    QList<ChildWindow *> windows;
    for (QMdiSubWindow *frame : m_area->subWindowList(QMdiArea::CreationOrder)) {
        auto *window = dynamic_cast<ChildWindow *>(frame->widget());
        if (window != nullptr && !window->isClosing())
            windows.append(window);
    }
    return windows;
}

ChildWindow *ChildWindows::find(int kind) const
{
    const Registration *registration = registrationOf(kind);
    if (registration == nullptr)
        return nullptr;
    for (ChildWindow *window : loaded()) {
        if (registrationOf(window->windowKind()) == registration)
            return window;
    }
    return nullptr;
}

ChildWindow *ChildWindows::load(int kind)
{
    if (ChildWindow *window = find(kind)) {
        window->setWindowKind(kind);
        return window;
    }
    const Registration *registration = registrationOf(kind);
    if (registration == nullptr)
        return nullptr;
    ChildWindow *window = registration->factory();
    QMdiSubWindow *frame = m_area->addSubWindow(window);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowKind(kind);
    ApplySavedPlacement(frame, kind);
    window->load();
    window->setWindowKind(kind);
    return window;
}

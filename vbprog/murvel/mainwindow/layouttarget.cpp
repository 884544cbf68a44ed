#include "vbprog/murvel/mainwindow/layouttarget.h"

#include "platform/vb/twips.h"
#include "vbprog/murvel/mainwindow/childwindow.h"
#include "vbprog/murvel/mainwindow/childwindows.h"

#include <QMdiArea>
#include <QMdiSubWindow>

LayoutTarget::LayoutTarget(ChildWindows &childWindows, QMdiArea &area,
                           std::function<void(int kind)> openRadicalList)
    : m_childWindows(childWindows), m_area(area), m_openRadicalList(std::move(openRadicalList))
{
}

std::vector<int> LayoutTarget::childKinds() const
{
    std::vector<int> kinds;
    for (const ChildWindow *window : m_childWindows.loaded())
        kinds.push_back(window->windowKind());
    return kinds;
}

void LayoutTarget::closeChild(int kind)
{
    if (ChildWindow *window = m_childWindows.find(kind))
        window->frame()->close();
}

void LayoutTarget::openRadicalList(int kind)
{
    m_openRadicalList(kind);
}

void LayoutTarget::openView(int kind)
{
    if (ChildWindow *window = m_childWindows.load(kind))
        window->frame()->show();
}

void LayoutTarget::focusChild(int kind)
{
    if (ChildWindow *window = m_childWindows.find(kind))
        m_area.setActiveSubWindow(window->frame());
}

void LayoutTarget::setChildVisible(int kind, bool visible)
{
    if (ChildWindow *window = m_childWindows.find(kind))
        window->frame()->setVisible(visible);
}

QSize LayoutTarget::clientAreaTwips() const
{
    const QSize pixels = m_area.viewport()->size();
    return {vb::PixelsToTwips(pixels.width(), m_area.logicalDpiX()),
            vb::PixelsToTwips(pixels.height(), m_area.logicalDpiY())};
}

void LayoutTarget::setChildGeometry(int kind, const TwipsRect &rect)
{
    ChildWindow *window = m_childWindows.find(kind);
    if (window == nullptr)
        return;
    // A maximised or minimised window would keep its state and ignore its place.
    window->frame()->setWindowState(Qt::WindowNoState);
    window->frame()->setGeometry(TwipsRectToPixels(rect, m_area.logicalDpiX()));
}

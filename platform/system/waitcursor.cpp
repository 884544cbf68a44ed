#include "platform/system/waitcursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace sys
{
namespace
{

bool hasGuiApplication()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
}

} // namespace

WaitCursor::WaitCursor()
{
    if (hasGuiApplication()) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        m_pushed = true;
    }
}

WaitCursor::~WaitCursor()
{
    // The application may have gone first; its cursor stack went with it.
    if (m_pushed && hasGuiApplication())
        QGuiApplication::restoreOverrideCursor();
}

} // namespace sys

#include "vbprog/toolkit/centerform.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace toolkit
{

QPoint centredTopLeft(QSize screen, QSize window, double factor)
{
    // nearbyint rounds halves to even in the default rounding mode.
    const int scaledHeight = int(std::nearbyint(screen.height() * factor));
    return {screen.width() / 2 - window.width() / 2, scaledHeight / 2 - window.height() / 2};
}

void CenterForm(QWidget *form, double factor)
{
    QScreen *screen = form->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize frame = form->frameGeometry().size();
    form->move(area.topLeft() + centredTopLeft(area.size(), frame, factor));
}

} // namespace toolkit

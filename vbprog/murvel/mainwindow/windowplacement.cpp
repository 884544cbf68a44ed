#include "windowplacement.h"

#include "platform/vb/twips.h"
#include "vbprog/murvel/core/公用變數.h"
#include "windowkinds.h"

#include <QWidget>

bool IsFirstRun()
{
    return !gIni.fileFound || gIni.number(SettingsNames::Start, SettingsNames::First) == 1;
}

int WindowStateOf(const QWidget *window)
{
    if (window->isMinimized())
        return WindowStates::Minimised;
    if (window->isMaximized())
        return WindowStates::Maximised;
    return WindowStates::Normal;
}

void SetWindowState(QWidget *window, int state)
{
    switch (state) {
    case WindowStates::Minimised:
        window->setWindowState(Qt::WindowMinimized);
        break;
    case WindowStates::Maximised:
        window->setWindowState(Qt::WindowMaximized);
        break;
    default:
        window->setWindowState(Qt::WindowNoState);
        break;
    }
}

QRect TwipsGeometryOf(const QWidget *window)
{
    const double dpiX = window->logicalDpiX();
    const double dpiY = window->logicalDpiY();
    return {vb::PixelsToTwips(window->x(), dpiX), vb::PixelsToTwips(window->y(), dpiY),
            vb::PixelsToTwips(window->width(), dpiX), vb::PixelsToTwips(window->height(), dpiY)};
}

void SetTwipsGeometry(QWidget *window, const QRect &twips)
{
    const double dpiX = window->logicalDpiX();
    const double dpiY = window->logicalDpiY();
    window->move(vb::TwipsToPixels(twips.x(), dpiX), vb::TwipsToPixels(twips.y(), dpiY));
    // A settings file without a size (keys missing or 0) would make the window vanish;
    // it keeps the size it has.
    if (twips.width() > 0 && twips.height() > 0)
        window->resize(vb::TwipsToPixels(twips.width(), dpiX),
                       vb::TwipsToPixels(twips.height(), dpiY));
}

void ApplySavedPlacement(QWidget *frame, int kind)
{
    const QString section = WindowSectionOfKind(kind);
    if (section.isEmpty() || IsFirstRun() || gSessionRestored != 0)
        return;
    const int state = gIni.number(section, QStringLiteral("winstate"));
    if (state != WindowStates::Normal) {
        SetWindowState(frame, state);
        return;
    }
    SetTwipsGeometry(frame, QRect(gIni.number(section, QStringLiteral("left")),
                                  gIni.number(section, QStringLiteral("top")),
                                  gIni.number(section, QStringLiteral("width")),
                                  gIni.number(section, QStringLiteral("height"))));
}

void RecordPlacement(const QWidget *frame, int kind)
{
    const QString section = WindowSectionOfKind(kind);
    if (section.isEmpty())
        return;
    const QRect twips = TwipsGeometryOf(frame);
    gIni.setOn(section, QStringLiteral("open"), true);
    gIni.setValue(section, QStringLiteral("winstate"), QString::number(WindowStateOf(frame)));
    gIni.setValue(section, QStringLiteral("left"), QString::number(twips.x()));
    gIni.setValue(section, QStringLiteral("top"), QString::number(twips.y()));
    gIni.setValue(section, QStringLiteral("width"), QString::number(twips.width()));
    gIni.setValue(section, QStringLiteral("height"), QString::number(twips.height()));
}

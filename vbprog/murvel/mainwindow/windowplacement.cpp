#include "vbprog/murvel/mainwindow/windowplacement.h"

#include "platform/vb/twips.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QThread>
#include <QWidget>

namespace
{

// How long a maximised window waits for the window manager to give it its size.
constexpr int MaximiseWaitMs = 2000;

// Whether the window with its frame covers (nearly) the screen's free area: 95 % each way,
// whatever borders the window manager keeps.
bool fillsItsScreen(const QWidget *window)
{
    const QSize area = window->screen()->availableGeometry().size();
    const QSize frame = window->frameGeometry().size();
    return frame.width() * 20 >= area.width() * 19 && frame.height() * 20 >= area.height() * 19;
}

} // namespace

bool IsFirstRun()
{
    return !gIni.sessionFound || gIni.number(SettingsNames::Start, SettingsNames::First) == 1;
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

void ShowMaximisedAndWait(QWidget *window)
{
    window->showMaximized();
    QElapsedTimer waited;
    waited.start();
    while (!fillsItsScreen(window) && waited.elapsed() < MaximiseWaitMs) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
}

QRect TwipsGeometryOf(const QWidget *window)
{
    const double dpiX = window->logicalDpiX();
    const double dpiY = window->logicalDpiY();
    const QRect pixels = window->geometry();
    return {vb::PixelsToTwips(pixels.x(), dpiX), vb::PixelsToTwips(pixels.y(), dpiY),
            vb::PixelsToTwips(pixels.width(), dpiX), vb::PixelsToTwips(pixels.height(), dpiY)};
}

void SetTwipsGeometry(QWidget *window, const QRect &twips)
{
    const double dpiX = window->logicalDpiX();
    const double dpiY = window->logicalDpiY();
    QRect pixels = window->geometry();
    pixels.moveTopLeft({vb::TwipsToPixels(twips.x(), dpiX), vb::TwipsToPixels(twips.y(), dpiY)});
    // A settings file without a size (keys missing or 0) would make the window vanish;
    // it keeps the size it has.
    if (twips.width() > 0 && twips.height() > 0)
        pixels.setSize(
            {vb::TwipsToPixels(twips.width(), dpiX), vb::TwipsToPixels(twips.height(), dpiY)});
    window->setGeometry(pixels);
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

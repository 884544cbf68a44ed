#include "vbprog/murvel/mainwindow/dialogplacement.h"

#include "platform/vb/integers.h"
#include "platform/vb/twips.h"

#include <QScreen>
#include <QWidget>

namespace
{

double dpiOf(const QWidget &widget)
{
    return widget.screen()->logicalDotsPerInchY();
}

QSize toTwips(QSize pixels, double dpi)
{
    return {vb::PixelsToTwips(pixels.width(), dpi), vb::PixelsToTwips(pixels.height(), dpi)};
}

QPoint toPixels(QPointF twips, double dpi)
{
    const auto pixels = [dpi](double value) {
        return static_cast<int>(vb::RoundHalfEven(value * dpi / vb::kTwipsPerInch));
    };
    return {pixels(twips.x()), pixels(twips.y())};
}

} // namespace

QPoint CentredAboveMiddle(QSize screenTwips, QSize dialogTwips)
{
    const auto rounded = [](double value) { return static_cast<int>(vb::RoundHalfEven(value)); };
    const int top = rounded(screenTwips.height() * 0.85) / 2 - dialogTwips.height() / 2;
    const int left = screenTwips.width() / 2 - dialogTwips.width() / 2;
    return {left, top};
}

QPointF CentredOverMainWindow(const QRectF &mainWindowTwips, float topBarsHeightTwips,
                              QSizeF boxTwips)
{
    const float mainLeft = static_cast<float>(mainWindowTwips.left());
    const float mainTop = static_cast<float>(mainWindowTwips.top());
    const float left =
        static_cast<float>(mainWindowTwips.width() - boxTwips.width()) / 2 + mainLeft;
    const float top = static_cast<float>(mainWindowTwips.height() - boxTwips.height()) / 2 +
                      mainTop + topBarsHeightTwips;
    return {left, top};
}

void MoveCentredAboveMiddle(QWidget &dialog)
{
    const double dpi = dpiOf(dialog);
    const QSize screen = toTwips(dialog.screen()->size(), dpi);
    dialog.move(toPixels(CentredAboveMiddle(screen, toTwips(dialog.size(), dpi)), dpi));
}

void MoveCentredOverMainWindow(QWidget &dialog, const QWidget &mainWindow, int topBarsHeightPixels)
{
    const double dpi = dpiOf(dialog);
    const QRect frame = mainWindow.frameGeometry();
    const QRectF mainTwips(
        vb::PixelsToTwips(frame.left(), dpi), vb::PixelsToTwips(frame.top(), dpi),
        vb::PixelsToTwips(frame.width(), dpi), vb::PixelsToTwips(frame.height(), dpi));
    const QPointF place = CentredOverMainWindow(
        mainTwips, static_cast<float>(vb::PixelsToTwips(topBarsHeightPixels, dpi)),
        QSizeF(toTwips(dialog.size(), dpi)));
    dialog.move(toPixels(place, dpi));
}

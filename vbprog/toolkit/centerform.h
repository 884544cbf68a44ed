#pragma once

#include <QPoint>
#include <QSize>

class QWidget;

// Window centring shared by the batch tools and the installer.
namespace toolkit
{

// The factor of the screen height that the batch tools centre in; the installer uses 0.85.
inline constexpr double kToolCentreFactor = 0.95;

// Where a window of `window` size goes on a screen of `screen` size: horizontally in the
// middle, vertically in the middle of the top `factor` of the screen (so a little above
// the true middle). The scaled height is rounded to the nearest whole number, halves to
// even; the halving truncates toward zero.
QPoint centredTopLeft(QSize screen, QSize window, double factor);

// Moves the window there on its screen (the primary screen when it has none yet).
void CenterForm(QWidget *form, double factor = kToolCentreFactor);

} // namespace toolkit

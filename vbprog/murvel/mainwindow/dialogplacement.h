#pragma once

#include <QPoint>
#include <QPointF>
#include <QRectF>
#include <QSize>

class QWidget;

// Where the main window's modal dialogs open. The arithmetic is in twips, as the window
// layer keeps geometry; the Move functions convert from and to the screen's pixels.

// Centred across the screen and somewhat above its middle: the top of a dialog centred in
// the upper 85 % of the screen. Halves drop their fraction.
QPoint CentredAboveMiddle(QSize screenTwips, QSize dialogTwips);

// Centred over the main window, then pushed down by the bars along its top.
QPointF CentredOverMainWindow(const QRectF &mainWindowTwips, float topBarsHeightTwips,
                              QSizeF boxTwips);

void MoveCentredAboveMiddle(QWidget &dialog);
void MoveCentredOverMainWindow(QWidget &dialog, const QWidget &mainWindow, int topBarsHeightPixels);

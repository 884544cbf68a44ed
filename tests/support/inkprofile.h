#pragma once

#include <QImage>
#include <QList>

namespace testsupport
{

// The dark pixels (grey below 128) of each row (Qt::Vertical: the profile runs down the
// image) or each column (Qt::Horizontal) of an image.
QList<int> inkProfile(const QImage &image, Qt::Orientation along);

// The dark pixels of profile positions from..to-1.
int inkIn(const QList<int> &profile, qsizetype from, qsizetype to);

// Whether a drawn glyph falls into two parts along the profile: ink on both sides and
// between them a blank band (at least 2 % of the profile long) that crosses the middle
// third of the ink. A glyph of one piece, or a box with sides, does not.
bool splitByBlankBand(const QList<int> &profile);

} // namespace testsupport

#pragma once

#include "vbprog/murvel/views/rolemarks.h"

#include <QPixmap>
#include <QString>

// The mark pictures of the structure view, drawn with QPainter: a small badge with the
// role's character, coloured by its group (blue the kind of the character, green the role of
// a component, orange an abbreviated one, purple a double role, red an altered form, grey a
// repetition). A QGuiApplication must exist.
namespace markpictures
{

inline constexpr int kSize = 16;

// The name of mark k's picture (imgNull, img象形, ... img四); empty outside 0..22.
QString name(int k);

// Mark k's picture; mark 0 (none) and numbers outside 0..22 are an empty, transparent one.
QPixmap picture(int k);

// imgQuestion: a repeated component taken as a regular-script character.
QPixmap question();

} // namespace markpictures

#pragma once

#include <QPixmap>

// The four pictures an outline list offers its items, drawn with QPainter. A list draws
// them once and its items share them. A QGuiApplication must exist.
namespace stockpictures
{

inline constexpr int kSize = 16;

QPixmap node();      // a title row or a node that groups glyphs: a closed book
QPixmap unknown();   // a component missing from the database: a question mark
QPixmap composite(); // a composite glyph that can be opened: four joined boxes
QPixmap leaf();      // a glyph with no components below it: a leaf

} // namespace stockpictures

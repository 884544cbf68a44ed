#pragma once

#include <QString>

// Writes a presentation of two slides made for the tests.
// Slide 1, shapes in this order:
//   1 text box: paragraph "甲\uF6A4乙" in 標楷體 (Latin and East Asian) then "文字" with
//     no typeface; paragraph "第二", a line break, "行"
//   2 group: a shape "群一", and a group holding a shape "群二" and a picture
//   3 table of 2 x 2 cells "表一" "表\uF6A3二" / "表三" and one cell without a text body
//   4 line
// Slide 2: one shape "\uF6AE口\uF6AF" whose runs name no typeface (the theme's: Calibri,
//   East Asian 新細明體)
bool writeSamplePresentation(const QString &path);

// The sample presentation whose second slide holds one text shape with text inside depth
// groups, each inside the one before.
bool writeNestedGroupsPresentation(const QString &path, int depth, const QString &text);

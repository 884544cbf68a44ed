#pragma once

#include <QString>

// Typeface names between their stored form ("標楷體", "標楷體外字集一" ..) and the family the
// user chose as base typeface (gBaseFontName, "標楷體" or "細明體"). Comparisons are exact.

// The stored form of a list item's typeface: "細明體" becomes "標楷體" while the base
// typeface is "細明體"; every other name is returned unchanged.
QString CanonicalFontName(const QString &name);

// The typeface to show a stored name in: while the base typeface is "細明體", the first
// "標楷體" in the name becomes "細明體"; otherwise the name is returned unchanged.
QString DisplayFontName(const QString &name);

// Makes a name follow the base typeface after it changed: with base "細明體" the first
// "標楷體" in the name becomes "細明體", otherwise the first "細明體" becomes "標楷體".
QString SwapBaseFontName(const QString &name);

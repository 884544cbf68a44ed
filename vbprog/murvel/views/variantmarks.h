#pragma once

#include <QPixmap>

class OutlineList;

// Fills the mark table of a variant-character list: picture k for each category k that has
// a mark (VariantCategories), and an empty picture 0. A QGuiApplication must exist.
void FillVariantMarkPictures(OutlineList &list);

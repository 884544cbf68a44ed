#pragma once

#include "comAddIn/porvex/conversionrun.h"
#include "platform/common/result.h"
#include "platform/office/word/collection.h"

#include <utility>
#include <vector>

namespace word
{
class Application;
class Shape;
} // namespace word

namespace porvex
{

// Every shape of a copy collection that is not a group, paired with the same shape of the
// source collection: the collection's own shapes in order, then the items of its groups,
// the groups met last first.
std::vector<std::pair<word::Shape *, word::Shape *>>
CollectShapes(word::Collection<word::Shape> &copy, word::Collection<word::Shape> &source);

// The Tools items "構字式轉成字形☆(預覽)" and "構字式轉成圖片★(預覽)": refuse a protected
// document with a message box, else convert its formulas in that mode. The run saves the
// document, writes its preview copy beside it, converts every story of the copy (main text,
// notes, comments, shapes in groups, headers and footers by the sections' page setup, the
// header shapes) and replaces in the source what the lookup allows; the copy is left open,
// protected for comments only and saved, the source saved. Without the glyph database
// nothing is copied. The status bar follows the run and ends on its outcome:
// "構字式轉換完畢", or the run's failures, which are its result too. A click while a
// conversion is in progress does nothing.
platform::Result<bool> ConvertDocumentToGlyphs(word::Application &application,
                                               const ConversionContext &context);
platform::Result<bool> ConvertDocumentToPictures(word::Application &application,
                                                 const ConversionContext &context);

} // namespace porvex

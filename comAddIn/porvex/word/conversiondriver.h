#pragma once

#include "comAddIn/porvex/lookupengine.h"
#include "platform/common/result.h"
#include "platform/office/word/collection.h"

#include <QString>
#include <functional>
#include <utility>
#include <vector>

namespace word
{
class Application;
class Shape;
} // namespace word

namespace porvex
{

// What a Word run needs around the document: where the main program and the Windows
// folder are, the add-in's engine, the chooser's dialog and the host's message box.
struct WordRunContext {
    QString mainProgramFolder; // empty: the main program's App Paths entry is missing
    QString windowsFolder;
    LookupEngine &engine;
    CandidatePicker &dialog;
    std::function<void(const QString &text, const QString &title)> messageBox;
};

// Every shape of a copy collection that is not a group, paired with the same shape of the
// source collection: the collection's own shapes in order, then the items of its groups,
// the groups met last first.
std::vector<std::pair<word::Shape *, word::Shape *>>
CollectShapes(word::Collection<word::Shape> &copy, word::Collection<word::Shape> &source);

// The Tools items "構字式轉成字形☆(預覽)" and "構字式轉成圖片★(預覽)": refuse a protected
// document with a message box, else run ConvertDocumentFormulas in that mode.
platform::Result<bool> ConvertDocumentToGlyphs(word::Application &application,
                                               const WordRunContext &context);
platform::Result<bool> ConvertDocumentToPictures(word::Application &application,
                                                 const WordRunContext &context);

// Saves the active document, writes its preview copy beside it, converts every story of the
// copy (main text, notes, comments, shapes in groups, headers and footers by the sections'
// page setup, the header shapes) and replaces in the source what the lookup allows; the
// copy is left open, protected for comments only and saved, the source saved. Without the
// glyph database nothing is copied and the status bar says why. A save that fails (a full
// disk) fails the run: the status bar and the result give the first failure.
platform::Result<bool> ConvertDocumentFormulas(word::Application &application,
                                               const WordRunContext &context);

} // namespace porvex

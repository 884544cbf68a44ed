#pragma once

#include "documentroundtrip.h"

namespace fuzz
{

// A .docx in the Word engine. Its texts are the stories the add-in's conversion walks, in
// its order: the main text, the notes and comments, the shapes' text frames, the headers and
// footers that the sections' page setup shows, the header shapes.
OpenedDocument OpenWordDocument(const QString &path);

} // namespace fuzz

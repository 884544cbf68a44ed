#pragma once

#include "platform/common/result.h"
#include "vbprog/kavrot/transcoderun.h"

namespace word
{
class Range;
}

namespace kavrot
{

// Converts a Word document (.docx) into a copy at destination: the main text, then the
// footnotes, endnotes, comments, the document's shapes (groups opened), every header and
// footer the sections show, and the shapes of the headers and footers. Progress goes to
// the observer's message as a percentage of the main text.
//
// The copy is a StagedOutput. A stop during the main text closes it unsaved and removes
// it; a later stop lets each remaining range convert at most one more character, then the
// copy is saved and kept (Converted). On any failure the copy is closed unsaved and
// removed. A copy removed leaves the destination as it was.
platform::Result<FileOutcome> ConvertWordFile(const QString &source, const QString &destination,
                                              TranscodeRun &run);

} // namespace kavrot

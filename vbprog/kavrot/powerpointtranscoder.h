#pragma once

#include "platform/common/result.h"
#include "vbprog/kavrot/transcoderun.h"

namespace office::powerpoint
{
class TextRange;
}

namespace kavrot
{

// Replaces, in one text range, each character whose Big5 code lies in an end-user-defined
// area and that the reference table knows by its formula; the formula is stepped over.
void ConvertPptTextRange(office::powerpoint::TextRange &range, const ReferenceTable &reference);

// Converts a presentation (.pptx) into a copy at destination: the text of every shape of
// every slide, groups opened and table cells included. The copy is a StagedOutput; a stop
// seen after a shape closes the copy and removes it, leaving the destination as it was; so
// does any failure.
platform::Result<FileOutcome> ConvertPowerPointFile(const QString &source,
                                                    const QString &destination, TranscodeRun &run);

} // namespace kavrot

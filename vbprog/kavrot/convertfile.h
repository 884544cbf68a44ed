#pragma once

#include "platform/common/result.h"
#include "vbprog/kavrot/transcoderun.h"

namespace kavrot
{

enum class FileFormat { Text, Word, PowerPoint, Unknown };

// The format by the extension of the file name, in any letter case: TXT, A, B and C are
// text, DOCX and DOC Word documents, PPTX and PPT presentations; anything else, and a
// name without a dot, is Unknown.
FileFormat formatOf(const QString &path);

// Converts one file into destination by its format; an Unknown file is Skipped.
platform::Result<FileOutcome> ConvertFile(const QString &source, const QString &destination,
                                          TranscodeRun &run);

} // namespace kavrot

#pragma once

#include "platform/common/result.h"
#include "vbprog/kavrot/transcoderun.h"

namespace kavrot
{

enum class FileFormat { Text, Word, PowerPoint, BinaryOffice, Unknown };

// The format by the extension of the file name, in any letter case: TXT, A, B and C are
// text, DOCX Word documents, PPTX presentations, DOC and PPT the binary Office formats,
// which cannot be read; anything else, and a name without a dot, is Unknown.
FileFormat formatOf(const QString &path);

// Converts one file into destination by its format; an Unknown file is Skipped, a binary
// Office file fails with a message that names it and writes nothing, and so does a source
// that toolkit::refusedSource refuses, whatever its format.
platform::Result<FileOutcome> ConvertFile(const QString &source, const QString &destination,
                                          TranscodeRun &run);

} // namespace kavrot

#pragma once

#include "platform/common/result.h"
#include "vbprog/kavrot/transcoderun.h"

#include <QByteArray>

namespace kavrot
{

// Replaces each character of one cp950 line that the reference table knows by its
// formula, in cp950. Bytes that are no cp950 character, and a replacement the code page
// cannot hold, are left exactly as they were.
QByteArray transcodeCp950Line(const QByteArray &line, const ReferenceTable &reference);

// Converts a cp950 text file line by line into destination (through a StagedOutput); each
// line is written with a CR LF. The source is read as toolkit::readSourceFile reads it. A stop seen
// after a line, or any failure, leaves the destination as it was and nothing beside it; a failure
// returns its reason.
platform::Result<FileOutcome> ConvertTextFile(const QString &source, const QString &destination,
                                              TranscodeRun &run);

} // namespace kavrot

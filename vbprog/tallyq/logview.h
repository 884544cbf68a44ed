#pragma once

#include "platform/common/result.h"

#include <QString>

namespace tallyq
{

// A readable copy of the missing-character log for the user's editor. The log is cp950 with
// CR LF line ends, which an editor that reads UTF-8 shows as mojibake. The view is UTF-8
// with LF line ends, read-only, and its name says it is a view, so that no one takes an
// edit of it for an edit of the log. The log itself is only read.
//
// Writes the view of logPath into viewFolder (made when missing), replacing an earlier
// view, and gives its path; a failure says why.
platform::Result<QString> writeLogView(const QString &logPath, const QString &viewFolder);

} // namespace tallyq

#pragma once

#include "platform/common/result.h"

#include <QByteArray>
#include <QMap>
#include <QString>

namespace testsupport
{

struct LibreOfficeOutput {
    QByteArray document;             // the converted file named like the input, if any
    QMap<QString, QByteArray> files; // every file the conversion wrote, by file name
};

// Converts documentPath with LibreOffice headless (`--convert-to targetFormat`, e.g. "csv",
// "html", "txt:Text (encoded):UTF8") in a private profile and output folder, both removed
// afterwards. Some filters write one file per part, named after the input ("plan-Sheet1.csv"
// for each sheet when the csv options ask for every sheet): they are all in files. A document
// LibreOffice cannot open, a missing soffice or a timeout is a failure: it is reported to the
// running test with ADD_FAILURE and returned, so a test never passes or skips over a file the real
// client rejects.
platform::Result<LibreOfficeOutput> convertWithLibreOffice(const QString &documentPath,
                                                           const QString &targetFormat,
                                                           int timeoutSeconds = 180);

} // namespace testsupport

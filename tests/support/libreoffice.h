#pragma once

#include "platform/common/result.h"

#include <QByteArray>
#include <QMap>
#include <QString>

namespace testsupport
{

struct LibreOfficeOutput {
    QByteArray document;             // the converted file, named like the input
    QMap<QString, QByteArray> files; // every file the conversion wrote, by file name
};

// Converts documentPath with LibreOffice headless (`--convert-to targetFormat`, e.g. "csv",
// "html", "txt:Text (encoded):UTF8") in a private profile and output folder, both removed
// afterwards. A document LibreOffice cannot open, a missing soffice or a timeout is a failure:
// it is reported to the running test with ADD_FAILURE and returned, so a test never passes or
// skips over a file the real client rejects.
platform::Result<LibreOfficeOutput> convertWithLibreOffice(const QString &documentPath,
                                                           const QString &targetFormat,
                                                           int timeoutSeconds = 180);

} // namespace testsupport

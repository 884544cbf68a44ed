#pragma once

#include "vbprog/kavrot/transcoderun.h"

#include <QString>
#include <QStringList>

namespace kavrot
{

// What the user chose: one source file or a source folder, the destination folder and
// the reference database (empty when the main program's folder is unknown).
struct BatchRequest {
    QString source;
    QString destination;
    QString referenceDatabase;
};

struct BatchResult {
    int count = 0;               // files done: converted or skipped for their format
    bool started = false;        // false when the batch was refused or could not start
    bool stopped = false;        // the user stopped it
    QStringList failures;        // "name：reason" of each file that could not be converted
    QStringList unreadableNames; // files left out: their names are no valid UTF-8
};

// The transcoder's batch: converts the one source file, or every file of the source folder
// that toolkit::listBatchFolder lists, into the destination folder under the same names
// (a file whose name it cannot spell is named as left out at the end), and
// reports progress, the count and the end to the observer. A source folder that is the
// destination folder (also through another path, a link or a bind mount) is refused with a
// message box. A file that cannot be converted (a source that is no regular file among them)
// leaves no output, is named at the end and the batch goes on with the next. The engines started
// for the run are closed at its end.
BatchResult runBatch(const BatchRequest &request, toolkit::BatchObserver &observer);

} // namespace kavrot

#pragma once

#include "vbprog/toolkit/batchobserver.h"

#include <QString>
#include <QStringList>

namespace relmend
{

// One repair batch over a Word document or a folder: the documents are mended in place,
// one after another, in a Word that the batch starts for its first document and quits at
// its end. In a folder (the files toolkit::listBatchFolder lists: no hidden files, no
// subfolders) only the Word documents (.docx) are opened; other files are skipped and
// counted, and files whose names cannot be spelled are named as left out. A document that
// cannot be opened or saved (or that toolkit::refusedSource refuses: a FIFO, a device, a file
// too large) is reported, named again at the end, and the batch goes on with the next. A stop
// ends the batch after the document it came in, which is not counted; no later one is opened.
class RepairBatch
{
public:
    struct Result {
        int repaired = 0;            // documents done, as lblFixCount shows them
        int skipped = 0;             // files that are no Word documents
        QStringList failures;        // "name：reason" of each file that could not be repaired
        QStringList unreadableNames; // files left out: their names are no valid UTF-8
        bool stopped = false;
    };

    explicit RepairBatch(toolkit::BatchObserver &observer) : m_observer(observer) {}

    // fileOrFolder: the text of the source box.
    Result run(const QString &fileOrFolder);

    // The closing status text for a result.
    static QString closingMessage(const Result &result);

private:
    void repairFile(class WordRepairer &repairer, const QString &path, Result &result);

    toolkit::BatchObserver &m_observer;
};

// Whether the file is one the repairer opens: a Word document (.docx).
bool isWordDocument(const QString &fileName);

} // namespace relmend

#pragma once

#include <QStringList>

namespace toolkit
{

// What a batch tool works through in a folder.
struct BatchFolder {
    // The folder's normal files (a link to a file counts as one), in name order; hidden
    // files, folders and what lies in subfolders are left out.
    QStringList files;
    // Normal files whose names are no valid UTF-8: no path the tools open can spell them,
    // so they are listed apart, in name order, for the tool to name as skipped. Each is
    // spelled with its undecodable bytes as \xHH.
    QStringList unreadableNames;
};

// The files of one folder, the same for every batch tool; an unreadable folder has none.
BatchFolder listBatchFolder(const QString &folder);

} // namespace toolkit

#pragma once

#include <QString>

namespace relmend
{

// The file or folder to repair, as the window keeps it.
struct SourceChoice {
    QString SourceFolder;   // the chosen folder, or the folder of the chosen file
    QString SourceFileName; // the chosen file's name; empty for a folder

    // What the source box shows and what the settings key FixPath keeps.
    QString path() const;

    // A file or a folder as the user chose it.
    static SourceChoice of(const QString &fileOrFolder);
    // The choice FixPath names: nothing unless the file or folder still exists.
    static SourceChoice restore(const QString &fixPath);
};

} // namespace relmend

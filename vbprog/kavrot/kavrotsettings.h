#pragma once

#include <QString>

namespace kavrot
{

// The transcoder's choices, kept in section "Convert" of murvel.ini: the reference unit
// (RefFile, "1" or "2"), the source (SrcPath: a folder, or a folder and file name) and the
// destination folder (DstPath). Every other section and key of the file is left alone.
struct KavrotSettings {
    QString refFileCode;    // "1" or "2"; empty before anything was read
    QString sourceFolder;   // the source folder, or the folder of the source file
    QString sourceFileName; // empty when a folder is the source
    QString destFolder;

    // The text of the source box: the folder, or the whole path of the file.
    QString sourcePath() const;
    // 0 for the first reference unit, 1 for the second (also for a missing RefFile).
    int referenceUnitIndex() const { return refFileCode.toInt() == 1 ? 0 : 1; }

    // Reads the keys. A source or destination that no longer exists is dropped; a
    // destination that names a file gives its folder.
    static KavrotSettings load(const QString &settingsFile);
    // Writes the three keys in one atomic write; false, with the reason, when it fails.
    bool save(const QString &settingsFile, QString *errorMessage) const;
};

// The reference database of a unit (0 or 1) in the main program's folder; empty when the
// folder is unknown.
QString referenceDatabasePath(const QString &mainDir, int unitIndex);

} // namespace kavrot

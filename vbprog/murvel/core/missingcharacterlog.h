#pragma once

#include <QString>
#include <QStringList>

// The missing-character log usrhanzi.txt in the Windows folder: the composition formulas
// that the glyph database does not hold. The file is cp950 text, one formula between double
// quotes per CR LF line, no header and no trailing blank line. The add-in's conversions add
// to it; the statistics tool counts and prunes it.
//
// One run of a conversion loads the log at most once, adds to it, and at its end saves
// only when something was added. Saving merges: it reads the file again, appends this
// run's new entries that the file does not hold by then, and replaces the file through a
// temporary file, so entries another program added during the run are kept and entries
// the statistics tool pruned stay pruned.
class MissingCharacterLog
{
public:
    enum class Addition {
        Added,
        Refused, // the formula cannot be stored in the file's format
    };

    // Starts a run on the log of the folder: nothing loaded, nothing changed, no entries.
    void startRun(const QString &windowsFolder);

    QString path() const;
    bool isLoaded() const { return m_loaded; }
    bool isChanged() const { return !m_added.isEmpty(); }

    // Reads the file into the list and marks the log loaded; a missing file reads as an
    // empty log. False, with errorString(), when the file exists but cannot be read, or is
    // not cp950 text (UTF-8, binary): such a file is never written either, since what was
    // not read whole cannot be written back whole.
    bool load();
    // load() unless the log is loaded already.
    bool ensureLoaded();

    // Whether the list holds the formula exactly (case-sensitive, whole text).
    bool contains(const QString &formula) const;
    // Appends the formula and marks the log changed, whether or not it is there already
    // (the callers test first where they must). A formula with a double quote, CR or LF,
    // or with a character cp950 lacks, would corrupt the file or lose characters: it is
    // refused, and errorString() says why.
    Addition add(const QString &formula);

    // The entries read plus those added, in order.
    QStringList entries() const { return m_entries; }

    // Writes the log when this run added to it (see the class comment), then resets it to
    // not loaded and unchanged. A run that added nothing leaves the file untouched. False,
    // with errorString(), when the file could not be read or written; the run's additions
    // are kept then, so a later save can try again.
    bool save();

    // Rewrites the file without the given formulas, for a tool that prunes the entries the
    // glyph database has come to hold. The file is read afresh first, so entries another
    // program added since this log was loaded are kept; it is replaced through a temporary
    // file, and left untouched when it holds none of the formulas. Afterwards entries()
    // are the entries kept. False, with errorString(), when the file could not be read or
    // written; it then stays as it was.
    bool remove(const QStringList &formulas);

    QString errorString() const { return m_error; }

    // The bytes of the file for the entries, as this log writes them.
    static QByteArray format(const QStringList &entries);
    // The entries of the file's bytes: each field is the text between a pair of double
    // quotes or, unquoted, the text up to the next comma or line end without surrounding
    // blanks. Lines without a field add nothing.
    static QStringList parse(const QByteArray &bytes);

private:
    bool readFile(QStringList &entries);
    bool writeFile(const QStringList &entries);

    QString m_folder;
    QStringList m_entries;
    QStringList m_added; // this run's additions, in order
    bool m_loaded = false;
    QString m_error;
};

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

namespace profile
{

// A Windows profile (.ini) file: "[section]" lines and "key=value" lines, read and written
// with the rules of the Windows profile calls.
//
// - Section and key names match case-insensitively; the first matching section is the
//   only one searched, and in it the first matching key wins.
// - Names and values are trimmed of blanks and tabs, and one pair of double quotes around
//   a value is dropped. Lines starting with ';' are comments.
// - Each line that is valid UTF-8 is read as UTF-8, any other as cp950 (files written by
//   older programs, wholly or in some sections). Lines are ended by "\n" or "\r\n"; a
//   last line may end in a bare "\r".
// - setValue() replaces a key's line in place (in UTF-8) unless it already holds the
//   value, adds a missing key after the last key of its section and a missing section at
//   the end of the file. All other lines, with their own encoding and line ends, are kept
//   byte for byte.
// - save() writes a temporary file in the same folder and renames it over the old one.
//
// Load once, read and set many keys, save once.
class ProfileFile
{
public:
    enum class Encoding { Utf8, Cp950 };

    explicit ProfileFile(QString path);

    // Reads the file. A missing file loads as empty; false when the file exists but
    // cannot be read, and then save() refuses so that the file is never replaced by a
    // partial copy.
    bool load();
    bool save();

    // The trimmed value, or nullopt when the section or the key is missing.
    std::optional<QString> value(QStringView section, QStringView key) const;

    // As GetPrivateProfileString: the value, or `defaultValue` when missing, cut to at
    // most bufferSize - 1 bytes in the file's encoding, never inside a character.
    QString stringValue(QStringView section, QStringView key, const QString &defaultValue,
                        int bufferSize) const;

    // As GetPrivateProfileInt: `defaultValue` when the key is missing or empty, else the
    // leading integer of the value (optional sign, "0x", "0o" or "0b" for base 16, 8 or 2,
    // digits; 0 when there is none), clamped to the range of int.
    int intValue(QStringView section, QStringView key, int defaultValue) const;

    // False, changing nothing, for names or values that would not read back as given:
    // line breaks or NULs anywhere, an empty or blank-padded name, ']' in a section name,
    // '=' in a key or a key starting with '[' or ';'.
    bool setValue(const QString &section, const QString &key, const QString &value);

    const QString &path() const { return m_path; }
    QString errorString() const { return m_error; }

private:
    enum class LineKind { Other, Section, Key };

    struct Line {
        QByteArray bytes;  // as in the file, without its line end
        QByteArray ending; // "\n", "\r\n", or "\r" or empty on an unterminated last line
        Encoding encoding = Encoding::Utf8;
        LineKind kind = LineKind::Other;
        QString name; // section or key name
        QString value;
    };

    static Line parseLine(QByteArray bytes, QByteArray ending);
    const Line *findLine(QStringView section, QStringView key) const;
    qsizetype findSection(QStringView section) const;
    qsizetype findKey(qsizetype sectionLine, QStringView key) const;
    void insertLine(qsizetype index, const QString &text);

    QString m_path;
    QList<Line> m_lines;
    bool m_hasBom = false;
    bool m_loaded = false;
    QString m_error;
};

} // namespace profile

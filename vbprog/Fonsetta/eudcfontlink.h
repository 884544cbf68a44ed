#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace fonsetta
{

// The component end-user-defined-character fonts to link: one for the Ming faces (細明體,
// 新細明體) and one for the Kai face (標楷體). Both may name the same file.
struct EudcFonts {
    QString ming;
    QString kai;
};

// What fontconfig reads from the first face of a font file: its families, and the
// private-use codes it draws. Empty when the file is missing or no font.
struct FontFileFacts {
    QStringList families;
    QList<char32_t> privateUseCodes;
};
FontFileFacts fontFileFacts(const QString &path);

// Makes what the system's documents name readable in every program of the current user's
// desktop, through fontconfig:
// - each component font, and each end-user-defined-character face file ("細明體外字集一.ttf"
//   .. "標楷體外字集八.ttf") found beside it, is linked (a symbolic link) into the folder
//   "murvel-eudc" of the user's font folder, so the faces are found under their own names;
// - a settings file in the user's fontconfig folder puts the component font's family right
//   after whatever typeface a text asks for when it asks for a character the font draws
//   (the Kai file's after the Kai typefaces), as Windows' end-user-defined-character link
//   does; and it puts the installed family that stands in for each of the system's
//   typefaces (標楷體 -> AR PL UKai TW) right after it, so a typeface asked for alone
//   still answers a face of its kind;
// - the font cache is refreshed (fc-cache).
// Removing deletes exactly what installing made: the links, the settings file, and the
// folders it created, each when nothing else is left in it.
class EudcFontLink
{
public:
    EudcFontLink(QString dataHome, QString configHome);

    // The user's folders: $XDG_DATA_HOME and $XDG_CONFIG_HOME, or their defaults.
    static EudcFontLink forCurrentUser();

    QString linkFolder() const;
    QString aliasFile() const;

    // Replaces whatever was linked before. Each returned text tells one failure; empty
    // when everything was done.
    QStringList install(const EudcFonts &fonts) const;
    QStringList remove() const;

private:
    // Links the file and returns what it brings; nothing, with a failure, when it cannot be
    // linked.
    FontFileFacts linkFile(const QString &file, QStringList &failures) const;
    // Creates the folder with the folders above it that are missing, noting those in the
    // record of created folders.
    bool makeFolder(const QString &path) const;
    QString createdFoldersRecord() const;
    QStringList createdFolders() const;
    QStringList removeLinks() const;
    QStringList refreshCache() const;

    QString m_dataHome;
    QString m_configHome;
};

} // namespace fonsetta

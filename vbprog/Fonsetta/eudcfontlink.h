#pragma once

#include <QString>
#include <QStringList>

namespace fonsetta
{

// The end-user-defined-character fonts to link: one for the Ming faces (細明體, 新細明體)
// and one for the Kai face (標楷體). Both may name the same file.
struct EudcFonts {
    QString ming;
    QString kai;
};

// Makes the end-user-defined-character fonts the fallback of the typefaces they are linked
// to, for the current user's desktop through fontconfig:
// - each font file is linked (a symbolic link) into the folder "murvel-eudc" of the user's
//   font folder, which holds nothing else;
// - an alias file in the user's fontconfig folder puts each font's family right after the
//   typefaces it serves and the installed families that stand in for them, so characters
//   those typefaces lack are drawn from it;
// - the font cache is refreshed (fc-cache).
// Removing deletes exactly these: the links in that folder, the folder when it is left
// empty, and the alias file.
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
    // Links the file and returns the family it brings; empty, with a failure, when it
    // cannot be linked.
    QString linkFile(const QString &file, QStringList &failures) const;
    QStringList removeLinks() const;
    QStringList refreshCache() const;

    QString m_dataHome;
    QString m_configHome;
};

// The families fontconfig reads from the first face of a font file; empty when the file
// is missing or no font.
QStringList fontFileFamilies(const QString &path);

} // namespace fonsetta

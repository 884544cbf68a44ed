#pragma once

#include <QHash>
#include <QSet>
#include <QString>

namespace officehost
{

// The files of a caption's pictures, small and large; empty when the caption is plain text
// or its pictures could not be written.
struct CaptionIconFiles {
    QString small;
    QString large;
};

// Pictures of the captions that need the operator font, for an office program that has no
// such font and shows the pictures on its toolbar buttons instead: each caption drawn in
// that font, dark on a transparent square of the office's small and large button sizes,
// as PNG files in a folder of this process's own. The folder is made on the first picture,
// only this user may enter it, and its name is one no one else can have taken (the stem
// with "-" and six characters added). What it made goes with this object, and nothing
// else: a file or folder put at its folder's name is left alone, a link never followed.
class CaptionIcons
{
public:
    static constexpr int kSmallSize = 16;
    static constexpr int kLargeSize = 24;

    explicit CaptionIcons(QString folderStem);
    ~CaptionIcons();
    CaptionIcons(const CaptionIcons &) = delete;
    CaptionIcons &operator=(const CaptionIcons &) = delete;

    // The caption's pictures, drawn on the first request (and again when they have gone;
    // in a new folder when the folder has gone or something else stands at its name).
    CaptionIconFiles filesFor(const QString &caption);

private:
    // Whether the folder is there for the pictures, made now when needed.
    bool ownFolder();
    // Whether the folder's name still leads to the folder made.
    bool folderStillOurs() const;
    // Removes the pictures made and then the folder, if its name still leads to it.
    void removeFolder();
    QString draw(const QString &caption, int size);

    QString m_stem;
    QString m_folder;
    int m_folderHandle = -1; // the folder made, wherever its name leads now
    QSet<QString> m_written; // the pictures' file names in it
    QHash<QString, CaptionIconFiles> m_drawn;
};

} // namespace officehost

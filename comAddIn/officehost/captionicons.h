#pragma once

#include <QHash>
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
// as PNG files in a folder of this process's own. The folder and its files go with this
// object.
class CaptionIcons
{
public:
    static constexpr int kSmallSize = 16;
    static constexpr int kLargeSize = 24;

    explicit CaptionIcons(QString folder);
    ~CaptionIcons();
    CaptionIcons(const CaptionIcons &) = delete;
    CaptionIcons &operator=(const CaptionIcons &) = delete;

    // The caption's pictures, drawn on the first request (and again when they have gone).
    CaptionIconFiles filesFor(const QString &caption);

private:
    QString draw(const QString &caption, int size) const;

    QString m_folder;
    QHash<QString, CaptionIconFiles> m_drawn;
};

} // namespace officehost

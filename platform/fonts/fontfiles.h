#pragma once

#include <QList>
#include <QString>

namespace fonts
{

// One face of a font file: the file and the face's index in it (a collection holds several).
struct FontFile {
    QString path;
    int index = 0;

    friend bool operator==(const FontFile &, const FontFile &) = default;
};

// The font files that draw a typeface name, in the order of familiesFor, for a renderer that
// reads font files itself: those of privateUseFamilies in the program folder that are there
// (the face file when the face may have one, the component typeface of the face's style,
// the operator font), then each installed family that fontconfig finds under its own name
// (a family it would replace by another is left out).
QList<FontFile> fontFilesFor(const QString &faceName, const QString &programFolder);

} // namespace fonts

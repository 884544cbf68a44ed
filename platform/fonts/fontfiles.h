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
// reads font files itself: the face file in the program folder when the face may have one
// and it is there, then each installed family that fontconfig finds under its own name (a
// family it would replace by another is left out), then the operator font of the program
// folder when it is there.
QList<FontFile> fontFilesFor(const QString &faceName, const QString &programFolder);

} // namespace fonts

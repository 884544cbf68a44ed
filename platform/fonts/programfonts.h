#pragma once

#include <QString>
#include <QStringList>

namespace fonts
{

// Adds the operator font, the private-use box, the component typeface and every face file
// present in the program folder (faceFileName of each of fileFaceNames) to the
// application's font database, so that familiesFor and fontFor use them. Each file is added once
// per process; calling again is harmless. Returns the full paths of the files that could not be
// registered: the operator font, the box and the component typeface's files when they are
// missing or unreadable, and face files that are no fonts.
// Missing face files are no failure: their faces keep their stand-in family.
// Call on the user-interface thread after the QGuiApplication has been created.
QStringList registerProgramFonts(const QString &programFolder);

} // namespace fonts

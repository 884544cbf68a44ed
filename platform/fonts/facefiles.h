#pragma once

#include <QString>
#include <QStringList>

namespace fonts
{

// A typeface that the system names but that no Debian package provides (the
// end-user-defined-character faces and the ancient-script faces) is drawn from the file
// "<face name>.ttf" in the program folder when one is there, for example
// "標楷體外字集三.ttf" or "Ombrel金文.ttf".
QString faceFileName(const QString &faceName);

// The families that a registered face file brought for the face; empty while no file has
// been registered for it. Faces are the exact, case-sensitive names.
QStringList faceFileFamilies(const QString &faceName);

// Records the families of a face file just registered. The first registration of a face
// is kept: a later one for the same face changes nothing. User-interface thread only.
void recordFaceFileFamilies(const QString &faceName, const QStringList &families);

} // namespace fonts

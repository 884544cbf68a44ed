#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace fonts
{

// The families that draw one of the system's typeface names on this machine, in the order
// of preference, followed by the operator font, so that formula operators and trigrams are
// drawn whatever the main typeface, and last by the fallback families HanaMinA and HanaMinB,
// which draw only the characters of the CJK extensions that the others lack:
// - "標楷體" -> AR PL UKai TW; "細明體" and "新細明體" -> AR PL UMing TW;
// - the end-user-defined-character faces "標楷體外字集一".."八" and "細明體外字集一".."八"
//   and the ancient-script faces ("北師大說文小篆", "北師大說文重文", "Ombrel金文",
//   "Ombrel甲骨文", "Ombrel楚系文字", "hzkf", "qel98m"): the family of their face file
//   when one has been registered (facefiles.h), followed by the base family of their set
//   (Ming for the 細明體 set, Kai for the others);
// - the empty name -> the default face, Kai;
// - any other name -> that name (an installed font of that name draws it), then Kai.
// Names are compared exactly, case-sensitively.
QStringList familiesFor(const QString &faceName);

// The installed families of familiesFor(faceName): those that draw the face or stand in
// for it, without the families of face files, the operator font and the fallback.
QStringList installedFamiliesFor(const QString &faceName);

// Whether a face file in the program folder may draw the face (facefiles.h).
bool mayComeFromFaceFile(const QString &faceName);

// A font of familiesFor(faceName) at the given size in points.
QFont fontFor(const QString &faceName, qreal pointSize);

// The faces that a file in the program folder may supply, in a fixed order.
QStringList fileFaceNames();

} // namespace fonts

#pragma once

#include "platform/fonts/componenttypeface.h"

#include <QFont>
#include <QString>
#include <QStringList>

namespace fonts
{

// The families that draw a private-use character (U+E000..U+F8FF) of text set in a typeface,
// in order: the family of the face's own file when one has been registered (facefiles.h: the
// end-user-defined-character faces "標楷體外字集一".."八" and "細明體外字集一".."八", the
// ancient-script faces "北師大說文小篆", "北師大說文重文", "Ombrel金文", "Ombrel甲骨文",
// "Ombrel楚系文字", "hzkf", "qel98m"), then the component typeface of the face's style, then
// the operator font, and last the box drawn for every other private-use code. Such a code
// means what the data says: no other font draws it, since a system font may map it to some
// other character. Every window draws private-use characters with these families.
QStringList privateUseFamilies(const QString &faceName);

// The style of a typeface: Ming for "細明體", "新細明體" and the "細明體外字集" faces, Kai for
// every other name.
TypefaceStyle styleOf(const QString &faceName);

// The families that draw one of the system's typeface names on this machine: the families
// of privateUseFamilies, which draw nothing else, then the installed families in the order
// of preference, and last the fallback families HanaMinA and HanaMinB, which draw only the
// characters of the CJK extensions that the others lack. The installed families:
// - "標楷體" -> AR PL UKai TW; "細明體" and "新細明體" -> AR PL UMing TW;
// - the end-user-defined-character and ancient-script faces -> the base family of their set
//   (Ming for the 細明體 set, Kai for the others);
// - the empty name -> the default face, Kai;
// - any other name -> that name (an installed font of that name draws it), then Kai.
// Names are compared exactly, case-sensitively.
QStringList familiesFor(const QString &faceName);

// The installed families of familiesFor(faceName): those that draw the face or stand in
// for it, without the families of privateUseFamilies and the fallback.
QStringList installedFamiliesFor(const QString &faceName);

// Whether a face file in the program folder may draw the face (facefiles.h).
bool mayComeFromFaceFile(const QString &faceName);

// A font of familiesFor(faceName) at the given size in points.
QFont fontFor(const QString &faceName, qreal pointSize);

// The faces that a file in the program folder may supply, in a fixed order.
QStringList fileFaceNames();

// The sixteen end-user-defined-character faces, "標楷體外字集一".."八" and
// "細明體外字集一".."八", in that order.
QStringList endUserDefinedFaceNames();

} // namespace fonts

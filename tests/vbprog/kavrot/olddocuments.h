#pragma once

#include <QByteArray>
#include <QString>

// Documents written with the old private-use characters, for the transcoder's tests.
// The reference databases map U+E000, U+E001 and U+E002 to formulas (kavrot01: 日+月,
// 女+子, 田+力; kavrot02: 田+力, 日+月, 女+子, each joined by an operator symbol).
namespace kavrottest
{

inline const QString kOld0 = QStringLiteral("\uE000");
inline const QString kOld1 = QStringLiteral("\uE001");
inline const QString kOld2 = QStringLiteral("\uE002");

// A Word document with old characters in the main text (one in hidden text, one in a
// table), a footnote, an endnote, a comment (two of them), the text boxes of a group
// nested in a group, a first-page header of the second section, the even and primary
// headers and footers and a text box in a header.
bool writeOldDocx(const QString &path);

// A presentation with old characters in a text box, in a shape inside a group inside a
// group, and in a table cell; U+F6A4 (an operator symbol, in an end-user-defined area but
// not in the reference tables) stays as it is.
bool writeOldPptx(const QString &path);

// A cp950 text file of the given lines, each ended as given.
bool writeCp950Text(const QString &path, const QStringList &lines, const QByteArray &lineEnd);

QByteArray fileBytes(const QString &path);

} // namespace kavrottest

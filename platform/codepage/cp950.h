#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>

// Code page 950 (Big5 with the Windows extensions), the code page of the settings files,
// the missing-character log and the old documents these programs read. Its end-user-defined areas hold the private-use characters
// U+E000..U+F848, among them the formula operators U+F6A3..U+F6B0 (8DF1..8DFE); they map
// one to one in both directions.
namespace codepage
{

// Converts to cp950; a character the code page lacks becomes one '?', as the Windows
// conversion does.
QByteArray toCp950(QStringView text);

// Converts from cp950; a byte sequence that is not a cp950 character becomes U+FFFD.
QString fromCp950(const QByteArray &bytes);
// Converts from cp950 when every byte sequence is a cp950 character; nullopt otherwise, so
// that text read in part is never taken for the whole.
std::optional<QString> fromCp950Strict(const QByteArray &bytes);

// The cp950 code of one character as an unsigned 16-bit value: the byte itself for a
// one-byte character, lead byte * 256 + trail byte for a two-byte one. nullopt when the
// code page lacks the character (a lone surrogate included).
std::optional<quint16> big5Code(QChar ch);

// True when the code of the first character lies in one of the two Big5 blocks of
// Chinese characters, A440..C67E ("一".."籲") or C940..F9D5 ("乂".."龘"). False for empty
// text, symbols and user-defined characters.
bool isBig5Hanzi(QStringView text);

// True for a code in one of the four end-user-defined areas 8140..8DFE, 8E40..A0FE,
// C6A1..C8FE and FA40..FEFE, bounds included.
bool isEudcCode(quint16 code);

// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or code points
// above U+10FFFF). Empty input is valid.
bool isValidUtf8(const QByteArray &bytes);

} // namespace codepage

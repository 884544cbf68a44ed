#pragma once

#include <QString>
#include <QStringView>

namespace office::page
{

// A character reference of a page ("&copy;", "&nbsp", "&#0;", "&#x41") read as a browser
// reads it, which libxml2's HTML parser does not: it keeps a name without its semicolon as
// text and drops a number outside Unicode, cutting an attribute's value short there.
struct CharacterReference {
    qsizetype length = 0; // of the reference in the text; 0 when none starts there
    QString meaning;      // the characters it stands for
};

// The reference that starts at text[at], an "&". Numbers outside Unicode, surrogates and 0
// stand for U+FFFD, 0x80..0x9F for the Windows-1252 characters of those bytes; a name of
// HTML 4 (or AMP, COPY, GT, LT, QUOT, REG) ends with ";", and one of the Latin-1 names
// (and amp, lt, gt, quot) may also stand without it, the longest that fits. In an
// attribute's value such a name followed by a letter, a digit or "=" is text.
CharacterReference characterReferenceAt(QStringView text, qsizetype at, bool inAttribute);

// The text with every reference in it written so that libxml2 reads what a browser does:
// each as numbers with semicolons, and an "&" that starts none as "&amp;".
QString withPlainReferences(QStringView text, bool inAttribute);

} // namespace office::page

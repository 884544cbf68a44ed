#pragma once

#include "tests/support/zipfile.h"

#include <QString>

namespace wordtest
{

// The main text of the sample document as the engine reads it: hidden text included,
// "\t" for the tab, "\x01" for each shape, "\x02" for the note reference, "\x05" for the
// comment reference and "\r" for each paragraph's end.
extern const QString sampleMainText;

// A .docx made by code with every kind of story: main text with East Asian typefaces,
// hidden text, a hyperlink, a field, a table, a note reference; a group of text boxes
// holding a nested group (with a fallback copy), a VML text box; footnotes, endnotes and
// comments (with their separators); two sections, the second with first-page and even
// headers; a header with a text box; settings with even and odd headers.
testsupport::ZipEntries sampleDocxEntries();
bool writeSampleDocx(const QString &path);

// A minimal document whose body is bodyXml (paragraphs).
bool writeDocx(const QString &path, const QString &bodyXml);

} // namespace wordtest

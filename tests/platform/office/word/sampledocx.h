#pragma once

#include "platform/office/word/docx/docxdocument.h"
#include "tests/support/zipfile.h"

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

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

// The body of a hostile document: one paragraph of text inside depth elements of a kind,
// each inside the one before.
enum class Nesting { ContentControls, Tables, Hyperlinks };
QString nestedBody(Nesting nesting, int depth, const QString &text);

QByteArray fileBytes(const QString &path);
// The main text of the document at path as the engine reads it; "<unreadable>" when it
// does not open.
QString mainText(const QString &path);
// The entry name of the zip at path; empty when there is none.
QByteArray zipEntry(const QString &path, const QString &name);

// A test on the sample document, written into a temporary folder and opened.
class SampleDocxTest : public ::testing::Test
{
protected:
    void SetUp() override;
    // Opens the sample again, as it is on disk.
    void open();

    QTemporaryDir m_folder;
    QString m_path;
    std::unique_ptr<word::docx::DocxDocument> m_document;
};

} // namespace wordtest

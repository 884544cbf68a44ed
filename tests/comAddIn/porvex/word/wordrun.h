#pragma once

#include "comAddIn/porvex/word/conversiondriver.h"
#include "platform/office/word/docx/wordapplication.h"
#include "tests/comAddIn/porvex/conversiontesting.h"

#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace wordrun
{

using namespace formulas;
inline const QString Thrice = QStringLiteral("\uF6A8");
inline const QString Trigram = QStringLiteral("\uEDC0"); // drawn by the operator font

// The XML of a paragraph of one run in the document's default typeface (新細明體); "\v" in
// the text is a line break.
QString paragraphXml(const QString &text);
// The body of a document of one paragraph per text, and such a .docx.
QString bodyOfParagraphs(const QStringList &texts);
bool writeParagraphs(const QString &path, const QStringList &texts);

// A Word host with a program folder that holds the Word conversion's fixture database and
// the operator font, a Windows folder and a document folder, all temporary. The chooser
// answers with the picker's scripted choice; message boxes are recorded.
class WordRunTest : public ::testing::Test
{
protected:
    void SetUp() override;

    porvex::ConversionContext context();
    // Writes the paragraphs into folder/name and opens it in the host.
    word::Document *openParagraphs(const QStringList &texts,
                                   const QString &name = QStringLiteral("report.docx"));
    // Writes a document of the body's XML into folder/name and opens it in the host.
    word::Document *openBody(const QString &bodyXml,
                             const QString &name = QStringLiteral("report.docx"));
    word::Document *open(const QString &path);

    // The documents of the host by file name.
    word::Document *document(const QString &name);
    QString pathOf(const QString &name) const { return m_documents.filePath(name); }
    QStringList loggedFormulas() const { return loggedFormulasIn(m_windows.path()); }

    word::docx::WordApplication m_word;
    ScriptedPicker m_dialog;
    QTemporaryDir m_program;
    QTemporaryDir m_windows;
    QTemporaryDir m_documents;
    QStringList m_messages; // "title: text" of each message box
};

} // namespace wordrun

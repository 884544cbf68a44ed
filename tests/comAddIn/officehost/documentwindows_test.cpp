// The host program's windows as the user sees them, with the real porvex add-in: each
// open document in a window of its own, the preview copy's window in front after a
// conversion, the chooser's formula selected and in view in the window that holds it, and
// the spreadsheet's active cell shown as a cell.
#include "comAddIn/officehost/hostsession.h"
#include "tests/comAddIn/officehost/conversionclicks.h"
#include "tests/platform/office/word/sampledocx.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QPlainTextEdit>
#include <QScrollBar>

using officehost::HostProgram;
using officehost::HostWindow;

namespace
{

// What the user sees of a window while a question is open.
struct SeenWhileAsked {
    QString document;     // of the window in front of the others
    QString selectedText; // in that window
    QString cellLine;     // the highlighted cell's line, where the host selects cells
    bool inView = false;  // the selection lies in the visible part of the text
};

// The text of the lines highlighted across the whole width.
QString highlightedCell(const QPlainTextEdit &text)
{
    QString lines;
    for (const QTextEdit::ExtraSelection &cell : text.extraSelections()) {
        if (cell.format.boolProperty(QTextFormat::FullWidthSelection))
            lines += cell.cursor.selectedText();
    }
    return lines;
}

class DocumentWindowsTest : public ConversionClickTest
{
protected:
    static QPlainTextEdit *textOf(HostWindow &window)
    {
        return window.findChild<QPlainTextEdit *>(u"documentText"_qs);
    }
    static bool unprotectEnabled(HostWindow &window)
    {
        return window.findChild<QAction *>(u"fileUnprotect"_qs)->isEnabled();
    }
    // Records, for every question asked, what the window of the active document shows.
    void watchQuestions(HostProgram &program)
    {
        m_onQuestion = [this, &program](QWidget *question) {
            m_questions.append(question->windowTitle());
            HostWindow *window = program.activeWindow();
            if (!window)
                return;
            QPlainTextEdit *text = textOf(*window);
            SeenWhileAsked seen;
            seen.document = QFileInfo(window->document()->fullName()).fileName();
            seen.selectedText = text->textCursor().selectedText();
            seen.cellLine = highlightedCell(*text);
            seen.inView =
                window->isVisible() && text->viewport()->rect().intersects(text->cursorRect());
            m_seen.append(seen);
        };
    }
    // Many lines before the text, so that it lies out of view when a window opens.
    static QString manyParagraphsThen(const QString &text)
    {
        QString body;
        for (int line = 1; line <= 200; ++line)
            body += u"<w:p><w:r><w:t>第%1行</w:t></w:r></w:p>"_qs.arg(line);
        return body + u"<w:p><w:r><w:t>"_qs + text + u"</w:t></w:r></w:p>"_qs;
    }

    // report.docx holding 甲, the formula of 明 and 乙, opened in the program.
    HostWindow *openReport(HostProgram &program)
    {
        const QString source = path(u"report.docx"_qs);
        if (!wordtest::writeDocx(source, "<w:p><w:r><w:t>甲" + Bright + "乙</w:t></w:r></w:p>"))
            return nullptr;
        watchQuestions(program);
        return program.openDocument(source).ok() ? program.windows().first() : nullptr;
    }

    QStringList m_questions;
    QList<SeenWhileAsked> m_seen;
};

TEST_F(DocumentWindowsTest, TheCopyOpensInAWindowOfItsOwnInFrontAndTheSourceStaysAtHand)
{
    HostProgram program;
    HostWindow *sourceWindow = openReport(program);
    ASSERT_TRUE(sourceWindow);
    // The caret after 乙, behind the formula that becomes 明 in the source too.
    QTextCursor caret = textOf(*sourceWindow)->textCursor();
    caret.setPosition(5);
    textOf(*sourceWindow)->setTextCursor(caret);

    ASSERT_TRUE(sourceWindow->clickTag(u"qelToolExpToGlyph"_qs).ok());
    QCoreApplication::processEvents();
    EXPECT_EQ(textOf(*sourceWindow)->textCursor().position(), 3) << "still after 乙";
    ASSERT_EQ(program.windows().size(), 2);
    HostWindow *copyWindow = program.windows()[1];
    EXPECT_TRUE(copyWindow->document()->fullName().endsWith(u"report☆.docx"_qs));
    EXPECT_TRUE(copyWindow->isVisible());
    EXPECT_TRUE(textOf(*copyWindow)->toPlainText().startsWith(u"甲明乙"_qs));
    // The add-in's active document is the window in front.
    EXPECT_EQ(program.activeWindow(), copyWindow);
    EXPECT_EQ(QApplication::activeWindow(), copyWindow);
    // Each window's protection command follows its own document.
    EXPECT_TRUE(unprotectEnabled(*copyWindow));
    EXPECT_FALSE(unprotectEnabled(*sourceWindow));

    // Back to the source: its commands act on it, not on the copy.
    sourceWindow->activateWindow();
    QCoreApplication::processEvents();
    EXPECT_EQ(program.activeWindow(), sourceWindow);
    clickAtCaret(*sourceWindow, u"甲明乙"_qs, 3, u"qelOperatorH"_qs);
    EXPECT_TRUE(textOf(*sourceWindow)->toPlainText().startsWith("甲明乙" + Beside));
    EXPECT_TRUE(textOf(*copyWindow)->toPlainText().startsWith(u"甲明乙\n"_qs));

    // A second conversion from the source is not refused, and its copy comes forward.
    ASSERT_TRUE(sourceWindow->clickTag(u"qelToolExpToGlyph"_qs).ok());
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_questions.isEmpty()) << m_questions.join(u' ').toStdString();
    EXPECT_TRUE(
        sourceWindow->document()->application().statusBar().startsWith(u"構字式轉換完畢"_qs));
    ASSERT_EQ(program.windows().size(), 2);
    EXPECT_EQ(program.windows()[0], sourceWindow);
    EXPECT_EQ(program.activeWindow(), program.windows()[1]);
    EXPECT_EQ(QApplication::activeWindow(), program.windows()[1]);
}

TEST_F(DocumentWindowsTest, ConvertingFromTheCopysWindowIsRefusedThereAndItsProtectionCanGo)
{
    HostProgram program;
    HostWindow *sourceWindow = openReport(program);
    ASSERT_TRUE(sourceWindow);
    ASSERT_TRUE(sourceWindow->clickTag(u"qelToolExpToGlyph"_qs).ok());
    ASSERT_EQ(program.windows().size(), 2);
    HostWindow *copyWindow = program.windows()[1];

    ASSERT_TRUE(copyWindow->clickTag(u"qelToolExpToGlyph"_qs).ok());
    EXPECT_EQ(m_questions, QStringList{u"構字式轉成字形"_qs});
    copyWindow->findChild<QAction *>(u"fileUnprotect"_qs)->trigger();
    EXPECT_FALSE(unprotectEnabled(*copyWindow));
    EXPECT_FALSE(copyWindow->document()->isProtected());
}

TEST_F(DocumentWindowsTest, TheChooserShowsTheWordFormulaSelectedAndInView)
{
    const QString source = path(u"long.docx"_qs);
    ASSERT_TRUE(wordtest::writeDocx(source, manyParagraphsThen("甲乙" + GoodOrLong + "丙")));
    HostProgram program;
    watchQuestions(program);
    ASSERT_TRUE(program.openDocument(source).ok());
    ASSERT_TRUE(program.windows().first()->clickTag(u"qelToolExpToGlyph"_qs).ok());

    ASSERT_EQ(m_seen.size(), 1);
    EXPECT_EQ(m_seen[0].document, u"long☆.docx"_qs);
    EXPECT_EQ(m_seen[0].selectedText, GoodOrLong);
    EXPECT_TRUE(m_seen[0].inView);
}

TEST_F(DocumentWindowsTest, TheChooserShowsTheCellThatHoldsTheFormulaInView)
{
    const QString source = path(u"plan.xlsx"_qs);
    ASSERT_TRUE(writeEditedWorkbook(source, [](office::excel::Workbook &book) {
        office::excel::Worksheet *sheet = book.activeSheet();
        sheet->range(u"A300"_qs)->activate();
        QGuiApplication::clipboard()->setText(GoodOrLong);
        sheet->paste();
        return true;
    }));
    HostProgram program;
    watchQuestions(program);
    ASSERT_TRUE(program.openDocument(source).ok());
    ASSERT_TRUE(program.windows().first()->clickTag(u"qelToolExpToGlyph"_qs).ok());

    ASSERT_FALSE(m_seen.isEmpty());
    const SeenWhileAsked &seen = m_seen.last();
    EXPECT_EQ(seen.document, u"plan☆.xlsx"_qs);
    EXPECT_EQ(seen.cellLine, "A300\t" + GoodOrLong);
    EXPECT_TRUE(seen.selectedText.isEmpty()) << "a cell, not text in it";
    EXPECT_TRUE(seen.inView);
}

TEST_F(DocumentWindowsTest, TheChooserShowsThePageFormulaSelected)
{
    const QString page = path(u"page.html"_qs);
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(("<html><head><meta charset=\"utf-8\"></head><body><p>甲" + GoodOrLong +
                "乙</p></body></html>")
                   .toUtf8());
    file.close();
    HostProgram program;
    watchQuestions(program);
    ASSERT_TRUE(program.openDocument(page).ok());
    ASSERT_TRUE(program.windows().first()->clickTag(u"qelToolExpToImg"_qs).ok());

    ASSERT_EQ(m_seen.size(), 1);
    EXPECT_EQ(m_seen[0].selectedText, GoodOrLong);
    EXPECT_TRUE(m_seen[0].inView);
}

TEST_F(DocumentWindowsTest, TheSpreadsheetShowsTheActiveCellAsACellThatAButtonReplaces)
{
    const QString source = path(u"plan.xlsx"_qs);
    ASSERT_TRUE(writeSampleWorkbook(source));
    HostProgram program;
    ASSERT_TRUE(program.openDocument(source).ok());
    HostWindow &window = *program.windows().first();
    QPlainTextEdit *text = textOf(window);
    EXPECT_EQ(text->cursorWidth(), 0) << "no caret that promises typing in the cell";

    // The user clicks inside A1's text "甲⿰乙", after 甲.
    const int a1 = int(text->toPlainText().indexOf(u"A1\t"_qs));
    ASSERT_GE(a1, 0);
    QTextCursor cursor = text->textCursor();
    cursor.setPosition(a1 + 4);
    text->setTextCursor(cursor);
    auto &excel = static_cast<office::excel::Application &>(window.document()->application());
    EXPECT_EQ(excel.activeCell()->address(), u"$A$1"_qs);
    EXPECT_EQ(highlightedCell(*text), u"A1\t甲\uF6A4乙"_qs);
    EXPECT_FALSE(text->textCursor().hasSelection());

    // What the highlight promised: the button's symbol takes the cell's place.
    ASSERT_TRUE(window.clickTag(u"qelOperatorV"_qs).ok());
    EXPECT_TRUE(text->toPlainText().startsWith(u"A1\t\uF6A3\n"_qs))
        << text->toPlainText().left(20).toStdString();
    EXPECT_EQ(highlightedCell(*text), u"A1\t\uF6A3"_qs);
}

} // namespace

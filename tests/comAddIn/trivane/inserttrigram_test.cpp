#include "comAddIn/trivane/inserttrigram.h"
// A trigram button's click in each host, on the engines' real documents: the symbol goes
// where the insertion point is, and the insertion point moves past it.
#include "comAddIn/trivane/cmdbarevents.h"
#include "comAddIn/trivane/global.h"
#include "comAddIn/trivane/trigrambar.h"
#include "platform/office/excel/xlsxapplication.h"
#include "platform/office/page/pageapplication.h"
#include "platform/office/powerpoint/pptxapplication.h"
#include "platform/office/word/docx/wordapplication.h"
#include "tests/platform/office/excel/sampleworkbook.h"
#include "tests/platform/office/page/testpages.h"
#include "tests/platform/office/powerpoint/samplepresentation.h"
#include "tests/platform/office/word/sampledocx.h"
#include "tests/support/libreoffice.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using trivane::cmdBarEvents;

namespace
{

const QString kQian = QString(QChar(0xEDC7)); // button 1
const QString kKun = QString(QChar(0xEDC0));  // button 8

class InsertTrigramTest : public ::testing::Test
{
protected:
    void connectTo(office::HostApplication &application) { trivane::global().connect(application); }
    void TearDown() override { trivane::global().forgetApplication(); }

    QTemporaryDir m_dir;
};

TEST_F(InsertTrigramTest, WordTypesAtTheSelectionAndMovesPastIt)
{
    const QString path = m_dir.filePath(u"report.docx"_qs);
    ASSERT_TRUE(wordtest::writeDocx(path, u"<w:p><w:r><w:t>甲乙丙</w:t></w:r></w:p>"_qs));
    word::docx::WordApplication word;
    ASSERT_TRUE(word.documents().open(path).ok());
    connectTo(word);
    auto caret = word.activeDocument()->content();
    caret->setRange(1, 1);
    caret->select();

    ASSERT_TRUE(cmdBarEvents::Operator1BtnClick(1).ok());
    EXPECT_TRUE(word.activeDocument()->content()->text().startsWith(u"甲"_qs + kQian + u"乙丙"_qs));
    EXPECT_EQ(word.selection()->start(), 2);
    EXPECT_EQ(word.selection()->end(), 2);

    // A selection is replaced.
    word.selection()->setRange(3, 4);
    ASSERT_TRUE(cmdBarEvents::Operator1BtnClick(8).ok());
    EXPECT_TRUE(
        word.activeDocument()->content()->text().startsWith(u"甲"_qs + kQian + u"乙"_qs + kKun));
    ASSERT_TRUE(word.activeDocument()->save().ok());
    const auto text = testsupport::convertWithLibreOffice(path, u"txt:Text (encoded):UTF8"_qs);
    ASSERT_TRUE(text.ok());
    EXPECT_TRUE(
        QString::fromUtf8(text.value().document).contains(u"甲"_qs + kQian + u"乙"_qs + kKun));
}

TEST_F(InsertTrigramTest, ExcelPastesIntoTheActiveCellThroughTheClipboard)
{
    int argc = 0;
    QGuiApplication gui(argc, nullptr);
    const QString path = m_dir.filePath(u"plan.xlsx"_qs);
    ASSERT_TRUE(writeSampleWorkbook(path));
    office::excel::XlsxApplication excel;
    ASSERT_TRUE(excel.workbooks().open(path).ok());
    connectTo(excel);
    excel.activeWorkbook()->activeSheet()->range(u"D4"_qs)->activate();

    ASSERT_TRUE(cmdBarEvents::Operator1BtnClick(8).ok());
    EXPECT_EQ(excel.activeCell()->value().toString(), kKun);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), kKun); // the clipboard keeps it
    ASSERT_TRUE(excel.activeWorkbook()->save().ok());
    const auto flat = testsupport::convertWithLibreOffice(path, u"fods"_qs);
    ASSERT_TRUE(flat.ok());
    EXPECT_TRUE(QString::fromUtf8(flat.value().document).contains(kKun));
}

TEST_F(InsertTrigramTest, PowerPointTypesOnlyIntoSelectedText)
{
    const QString path = m_dir.filePath(u"talk.pptx"_qs);
    ASSERT_TRUE(writeSamplePresentation(path));
    office::powerpoint::PptxApplication powerpoint;
    ASSERT_TRUE(powerpoint.presentations().open(path, false, false, true).ok());
    connectTo(powerpoint);
    office::powerpoint::Slide *slide = powerpoint.activePresentation()->slide(2);
    office::powerpoint::TextFrame *frame = slide->shape(1)->textFrame();
    const QString before = frame->textRange()->text();

    // A shape selected, not text: nothing.
    powerpoint.window().textSelection().selectShape();
    ASSERT_TRUE(cmdBarEvents::Operator1BtnClick(1).ok());
    EXPECT_EQ(frame->textRange()->text(), before);

    powerpoint.window().textSelection().selectText(frame, 2, 0); // after the first character
    ASSERT_TRUE(cmdBarEvents::Operator1BtnClick(1).ok());
    EXPECT_EQ(frame->textRange()->text(), before.left(1) + kQian + before.mid(1));
    ASSERT_TRUE(cmdBarEvents::Operator1BtnClick(8).ok()); // the caret moved past the first
    EXPECT_EQ(frame->textRange()->text(), before.left(1) + kQian + kKun + before.mid(1));
    ASSERT_TRUE(powerpoint.activePresentation()->save().ok());
    EXPECT_TRUE(testsupport::convertWithLibreOffice(path, u"fodp"_qs).ok());
}

TEST_F(InsertTrigramTest, FrontPageReplacesTheSelectionAndLeavesTheCaretAfter)
{
    using namespace office::page::testing;
    PageFolder folder;
    const QString path = folder.write(u"page.html"_qs, samplePage().toUtf8());
    office::page::HtmlPageApplication frontPage(openPage(path));
    connectTo(frontPage);
    auto range = frontPage.page()->body()->createTextRange();
    range->move(2);
    range->moveEnd(2);
    range->select();

    ASSERT_TRUE(cmdBarEvents::Operator1BtnClick(1).ok());
    ASSERT_TRUE(cmdBarEvents::Operator1BtnClick(8).ok());
    const QString expected = kSampleText.left(2) + kQian + kKun + kSampleText.mid(4);
    EXPECT_EQ(frontPage.page()->body()->createTextRange()->text(), expected);
    ASSERT_TRUE(frontPage.page()->save().ok());
    const auto text = testsupport::convertWithLibreOffice(path, u"txt:Text (encoded):UTF8"_qs);
    ASSERT_TRUE(text.ok());
    EXPECT_TRUE(QString::fromUtf8(text.value().document).contains(kQian + kKun));
}

TEST_F(InsertTrigramTest, NoDocumentOrNoSuchButtonChangesNothing)
{
    word::docx::WordApplication word; // nothing open
    connectTo(word);
    EXPECT_FALSE(cmdBarEvents::Operator1BtnClick(1).ok());
    EXPECT_FALSE(trivane::InsertTrigram(word, 9).ok());
    EXPECT_FALSE(trivane::InsertTrigram(word, 0).ok());
    office::excel::XlsxApplication excel;
    connectTo(excel);
    EXPECT_FALSE(cmdBarEvents::Operator1BtnClick(2).ok());
}

} // namespace

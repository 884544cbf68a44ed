// Each kind of document in the host: its texts, and a selection made through the window's
// positions that is the host's own, so that what an add-in types there lands there.
#include "comAddIn/officehost/hostsession.h"
#include "platform/office/excel/excel.h"
#include "platform/office/page/pageapplication.h"
#include "platform/office/powerpoint/powerpoint.h"
#include "platform/office/word/application.h"
#include "tests/platform/office/excel/sampleworkbook.h"
#include "tests/platform/office/page/testpages.h"
#include "tests/platform/office/powerpoint/samplepresentation.h"
#include "tests/platform/office/word/sampledocx.h"
#include "tests/support/libreoffice.h"
#include "tests/support/scopedenvironment.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using officehost::HostDocument;
using officehost::HostSession;
using officehost::SegmentSelection;

namespace
{

const QString kTrigram = QString(QChar(0xEDC7));

class HostDocumentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_environment.set("MURVEL_OFFICE_CONFIG_DIR", m_dir.filePath(u"office"_qs).toUtf8());
    }

    // The active document of a host started on the file; the host lives as long as the test.
    HostDocument *open(const QString &path)
    {
        auto opened = HostSession::open(path);
        EXPECT_TRUE(opened.ok()) << opened.errorString().toStdString();
        if (!opened.ok())
            return nullptr;
        m_sessions.push_back(std::move(opened.value()));
        return m_sessions.back()->activeDocument();
    }
    // Saves, then checks that the real client opens the file.
    void saveAndCheckWithLibreOffice(HostDocument &document, const QString &format)
    {
        EXPECT_FALSE(document.saved());
        const auto saved = document.save();
        ASSERT_TRUE(saved.ok()) << saved.errorString().toStdString();
        EXPECT_TRUE(document.saved());
        EXPECT_TRUE(testsupport::convertWithLibreOffice(document.fullName(), format).ok());
    }

    // A host started on name + extension, written by write, beside its preview copy.
    std::unique_ptr<HostSession> openWithCopy(const QString &name, const QString &extension,
                                              bool (*write)(const QString &))
    {
        const QString path = m_dir.filePath(name + extension);
        EXPECT_TRUE(write(path) && write(m_dir.filePath(name + u"☆"_qs + extension)));
        auto opened = HostSession::open(path);
        EXPECT_TRUE(opened.ok()) << opened.errorString().toStdString();
        return opened.ok() ? std::move(opened.value()) : nullptr;
    }

    QTemporaryDir m_dir;
    ScopedEnvironment m_environment;
    std::vector<std::unique_ptr<HostSession>> m_sessions;
};

TEST_F(HostDocumentTest, WordCaretIsTheSelectionWhereTextIsTyped)
{
    const QString path = m_dir.filePath(u"report.docx"_qs);
    ASSERT_TRUE(wordtest::writeDocx(path, u"<w:p><w:r><w:t>甲乙丙</w:t></w:r></w:p>"
                                          u"<w:p><w:r><w:t>丁</w:t></w:r></w:p>"_qs));
    auto document = open(path);
    ASSERT_TRUE(document);
    EXPECT_EQ(document->application().name(), u"Microsoft Word"_qs);
    ASSERT_EQ(document->segments().size(), 1);
    EXPECT_TRUE(document->segments()[0].text.startsWith(u"甲乙丙\r丁"_qs));
    // A document opens with the caret at its start.
    EXPECT_EQ(document->selection(), (SegmentSelection{0, 0, 0}));

    document->select({0, 4, 4}); // after the paragraph mark: before 丁
    auto &word = static_cast<word::Application &>(document->application());
    ASSERT_TRUE(word.selection());
    EXPECT_EQ(word.selection()->start(), 4);
    EXPECT_EQ(word.selection()->end(), 4);
    document->select({0, 1, 2}); // 乙 selected
    EXPECT_EQ(word.selection()->text(), u"乙"_qs);
    word.selection()->setText(kTrigram);
    word.selection()->collapse(word::CollapseDirection::End);
    EXPECT_EQ(document->selection(), (SegmentSelection{0, 2, 2}));
    saveAndCheckWithLibreOffice(*document, u"txt:Text (encoded):UTF8"_qs);

    auto reopened = open(path);
    ASSERT_TRUE(reopened);
    EXPECT_TRUE(reopened->segments()[0].text.startsWith(u"甲"_qs + kTrigram + u"丙\r丁"_qs));
}

TEST_F(HostDocumentTest, WordProtectionCanBeRemoved)
{
    const QString path = m_dir.filePath(u"locked.docx"_qs);
    ASSERT_TRUE(wordtest::writeDocx(path, u"<w:p><w:r><w:t>甲</w:t></w:r></w:p>"_qs));
    {
        auto document = open(path);
        ASSERT_TRUE(document);
        EXPECT_FALSE(document->isProtected());
        static_cast<word::Application &>(document->application())
            .activeDocument()
            ->protect(word::ProtectionType::AllowOnlyComments);
        ASSERT_TRUE(document->save().ok());
    }
    auto document = open(path);
    ASSERT_TRUE(document);
    EXPECT_TRUE(document->isProtected());
    document->unprotect();
    EXPECT_FALSE(document->isProtected());
    saveAndCheckWithLibreOffice(*document, u"txt:Text (encoded):UTF8"_qs);
    EXPECT_FALSE(open(path)->isProtected());
}

TEST_F(HostDocumentTest, ExcelCellsAreTextsAndTheChosenOneIsTheActiveCell)
{
    const QString path = m_dir.filePath(u"plan.xlsx"_qs);
    ASSERT_TRUE(writeSampleWorkbook(path));
    auto document = open(path);
    ASSERT_TRUE(document);
    EXPECT_EQ(document->application().name(), u"Microsoft Excel"_qs);
    const auto segments = document->segments();
    QStringList labels;
    for (const auto &segment : segments)
        labels.append(segment.label);
    EXPECT_EQ(labels,
              (QStringList{u"A1"_qs, u"B1"_qs, u"C1"_qs, u"A2"_qs, u"B2"_qs, u"A3"_qs, u"B3"_qs}));
    EXPECT_EQ(segments[0].text, u"甲\uF6A4乙"_qs);
    // The sample's active cell is B2.
    EXPECT_EQ(document->selection()->segment, 4);

    document->select({0, 1, 1});
    auto &excel = static_cast<office::excel::Application &>(document->application());
    EXPECT_EQ(excel.activeCell()->address(), u"$A$1"_qs);
    EXPECT_EQ(document->selection(), (SegmentSelection{0, 0, 3})); // the whole cell
    ASSERT_TRUE(excel.activeCell()->characters()->insert(kTrigram));
    saveAndCheckWithLibreOffice(*document, u"fods"_qs);
    EXPECT_EQ(open(path)->segments()[0].text, kTrigram);
}

TEST_F(HostDocumentTest, ExcelTextsAreTheCellsTheSheetHoldsHoweverFarApart)
{
    const QString path = m_dir.filePath(u"corners.xlsx"_qs);
    ASSERT_TRUE(writeWorkbookWithRows(
        path,
        "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>甲</t></is></c></row>"
        "<row r=\"1048576\"><c r=\"XFD1048576\" t=\"inlineStr\"><is><t>乙</t></is></c></row>",
        {}));
    auto document = open(path);
    ASSERT_TRUE(document);
    const auto segments = document->segments();
    ASSERT_EQ(segments.size(), 2);
    EXPECT_EQ(segments[1].label, u"XFD1048576"_qs);
    EXPECT_EQ(segments[1].text, u"乙"_qs);
}

TEST_F(HostDocumentTest, PowerPointFramesAreTextsWithTheWindowsTextSelection)
{
    const QString path = m_dir.filePath(u"talk.pptx"_qs);
    ASSERT_TRUE(writeSamplePresentation(path));
    auto document = open(path);
    ASSERT_TRUE(document);
    EXPECT_EQ(document->application().name(), u"Microsoft PowerPoint"_qs);
    const auto segments = document->segments();
    ASSERT_GE(segments.size(), 5);
    EXPECT_EQ(segments[0].label, u"投影片 1"_qs);
    EXPECT_TRUE(segments[0].text.startsWith(u"甲\uF6A4乙文字"_qs));
    EXPECT_EQ(segments.last().label, u"投影片 2"_qs);
    EXPECT_EQ(segments.last().text, u"\uF6AE口\uF6AF"_qs);
    // Nothing is selected in text when the presentation opens.
    EXPECT_FALSE(document->selection());

    const int last = int(segments.size()) - 1;
    document->select({last, 1, 1});
    auto &powerpoint = static_cast<office::powerpoint::Application &>(document->application());
    auto &selection = powerpoint.activeWindow()->selection();
    ASSERT_EQ(selection.type(), office::powerpoint::Selection::Type::Text);
    EXPECT_EQ(powerpoint.activeWindow()->view().slide()->slideIndex(), 2);
    selection.textRange()->setText(kTrigram);
    powerpoint.activeWindow()->sendKeys(u"{RIGHT}"_qs);
    EXPECT_EQ(document->selection(), (SegmentSelection{last, 2, 2}));
    saveAndCheckWithLibreOffice(*document, u"fodp"_qs);
    EXPECT_EQ(open(path)->segments().last().text, u"\uF6AE"_qs + kTrigram + u"口\uF6AF"_qs);
}

TEST_F(HostDocumentTest, PageBodyIsOneTextWithThePagesSelection)
{
    using namespace office::page::testing;
    const QString path = m_dir.filePath(u"page.html"_qs);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(samplePage().toUtf8());
    file.close();
    auto document = open(path);
    ASSERT_TRUE(document);
    EXPECT_EQ(document->application().name(), u"Microsoft FrontPage"_qs);
    ASSERT_EQ(document->segments().size(), 1);
    EXPECT_EQ(document->segments()[0].text, kSampleText);

    document->select({0, 2, 4});
    auto &page = static_cast<office::page::Application &>(document->application());
    auto range = page.activeDocument()->selection()->createRange();
    EXPECT_EQ(range->text(), kSampleText.mid(2, 2));
    EXPECT_EQ(document->selection(), (SegmentSelection{0, 2, 4}));
    page.activeDocument()->selection()->clear();
    range = page.activeDocument()->selection()->createRange();
    range->setText(kTrigram);
    range->collapse(false);
    range->select();
    EXPECT_EQ(document->selection(), (SegmentSelection{0, 3, 3}));
    saveAndCheckWithLibreOffice(*document, u"txt:Text (encoded):UTF8"_qs);
    EXPECT_EQ(open(path)->segments()[0].text, kSampleText.left(2) + kTrigram + kSampleText.mid(4));
}

// Opens a second file in the host as an add-in does, then brings the first forward as the
// user does: the session keeps one object per open document and follows the host.
void checkSessionFollowsItsHost(HostSession &session, const QString &second)
{
    HostDocument *first = session.activeDocument();
    ASSERT_TRUE(first);
    ASSERT_TRUE(session.openFile(second).ok());
    const QList<HostDocument *> documents = session.documents();
    ASSERT_EQ(documents.size(), 2);
    EXPECT_EQ(documents[0], first) << "the same object while the document stays open";
    EXPECT_EQ(session.activeDocument(), documents[1]);
    EXPECT_EQ(documents[1]->fullName(), QFileInfo(second).absoluteFilePath());

    session.activate(*first);
    EXPECT_EQ(session.activeDocument(), first);
    session.close(*documents[1]);
    EXPECT_EQ(session.documents(), QList<HostDocument *>{first});
    EXPECT_EQ(session.activeDocument(), first);
}

TEST_F(HostDocumentTest, EachHostKeepsTheDocumentsItOpensAndTheUserChoosesTheActiveOne)
{
    const QString report = m_dir.filePath(u"report.docx"_qs);
    const QString copy = m_dir.filePath(u"report☆.docx"_qs);
    ASSERT_TRUE(wordtest::writeDocx(report, u"<w:p><w:r><w:t>甲乙</w:t></w:r></w:p>"_qs));
    ASSERT_TRUE(wordtest::writeDocx(copy, u"<w:p><w:r><w:t>丙丁</w:t></w:r></w:p>"_qs));
    auto word = HostSession::open(report);
    ASSERT_TRUE(word.ok());
    checkSessionFollowsItsHost(*word.value(), copy);
    // What an add-in types goes into the document brought forward.
    HostDocument *shown = word.value()->activeDocument();
    shown->select({0, 1, 1});
    static_cast<word::Application &>(shown->application()).selection()->setText(kTrigram);
    EXPECT_TRUE(shown->segments()[0].text.startsWith("甲" + kTrigram + "乙"));

    auto excel = openWithCopy(u"plan"_qs, u".xlsx"_qs, writeSampleWorkbook);
    ASSERT_TRUE(excel);
    checkSessionFollowsItsHost(*excel, m_dir.filePath(u"plan☆.xlsx"_qs));
    auto &workbooks = static_cast<office::excel::Application &>(excel->application());
    EXPECT_EQ(workbooks.activeWorkbook()->fullName(), m_dir.filePath(u"plan.xlsx"_qs));

    const QString talkCopy = m_dir.filePath(u"talk☆.pptx"_qs);
    auto powerPoint = openWithCopy(u"talk"_qs, u".pptx"_qs, writeSamplePresentation);
    ASSERT_TRUE(powerPoint);
    checkSessionFollowsItsHost(*powerPoint, talkCopy);
    // The host's one window holds the text selection: it goes with the presentation left.
    HostDocument *first = powerPoint->activeDocument();
    ASSERT_TRUE(powerPoint->openFile(talkCopy).ok());
    HostDocument *second = powerPoint->activeDocument();
    second->segments();
    second->select({0, 1, 1});
    ASSERT_TRUE(second->selection());
    powerPoint->activate(*first);
    first->segments();
    EXPECT_FALSE(first->selection());
    EXPECT_FALSE(second->selection());
}

TEST_F(HostDocumentTest, FilesTheHostCannotOpenAreRefusedWithTheReason)
{
    const auto unknown = HostSession::open(m_dir.filePath(u"notes.txt"_qs));
    EXPECT_FALSE(unknown.ok());
    EXPECT_TRUE(unknown.errorString().contains(u".docx"_qs));

    const QString broken = m_dir.filePath(u"broken.docx"_qs);
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a zip");
    file.close();
    EXPECT_FALSE(HostSession::open(broken).ok());
    EXPECT_FALSE(HostSession::open(m_dir.filePath(u"missing.xlsx"_qs)).ok());

    // Every suffix a host takes, in any case, and names that only look like one.
    const struct {
        const char16_t *file;
        const char16_t *host;
    } kinds[] = {
        {u"a.docx", u"Microsoft Word"},
        {u"a.DOCX", u"Microsoft Word"},
        {u"a.xlsx", u"Microsoft Excel"},
        {u"a.pptx", u"Microsoft PowerPoint"},
        {u"a.html", u"Microsoft FrontPage"},
        {u"a.htm", u"Microsoft FrontPage"},
        {u"a.HTM", u"Microsoft FrontPage"},
        {u"a.b.Html", u"Microsoft FrontPage"},
        {u"a.html.txt", u""},
        {u"a.htmlx", u""},
        {u"a.ht", u""},
        {u"html", u""},
    };
    for (const auto &kind : kinds)
        EXPECT_EQ(HostSession::hostNameFor(QString::fromUtf16(kind.file)),
                  QString::fromUtf16(kind.host))
            << QString::fromUtf16(kind.file).toStdString();
}

// A host started without a document, whose document lives in another program, opens it
// the moment an add-in asks for the host's documents, and only once.
TEST_F(HostDocumentTest, AHostWithoutADocumentOpensItWhenAnAddInAsksForIt)
{
    using namespace office;
    struct Host {
        QString name;
        QString file;
        bool (*write)(const QString &);
        // What an add-in asks of the host first: whether the host has a document for it.
        bool (*asks)(HostApplication &);
    };
    const Host hosts[] = {
        {u"Microsoft Word"_qs, u"a.docx"_qs, wordtest::writeSampleDocx,
         [](HostApplication &host) {
             return static_cast<word::Application &>(host).selection() != nullptr;
         }},
        {u"Microsoft Excel"_qs, u"a.xlsx"_qs, writeSampleWorkbook,
         [](HostApplication &host) {
             return static_cast<excel::Application &>(host).activeCell() != nullptr;
         }},
        {u"Microsoft PowerPoint"_qs, u"a.pptx"_qs, writeSamplePresentation,
         [](HostApplication &host) {
             return static_cast<powerpoint::Application &>(host).activeWindow() != nullptr;
         }},
        {u"Microsoft FrontPage"_qs, u"a.html"_qs,
         [](const QString &path) {
             QFile file(path);
             return file.open(QIODevice::WriteOnly) &&
                    file.write(office::page::testing::samplePage().toUtf8()) > 0;
         },
         [](HostApplication &host) {
             return static_cast<page::Application &>(host).activeDocument() != nullptr;
         }},
    };
    for (const Host &host : hosts) {
        SCOPED_TRACE(host.name.toStdString());
        const QString path = m_dir.filePath(host.file);
        ASSERT_TRUE(host.write(path));
        std::unique_ptr<HostSession> session = HostSession::start(host.name);
        ASSERT_TRUE(session);
        HostApplication &application = session->application();
        EXPECT_EQ(application.name(), host.name);
        EXPECT_FALSE(host.asks(application)) << "no opener: nothing opens";

        int opened = 0;
        application.setDocumentOpener([&] {
            ++opened;
            EXPECT_TRUE(session->openFile(path).ok());
        });
        EXPECT_TRUE(host.asks(application));
        EXPECT_TRUE(host.asks(application));
        EXPECT_EQ(opened, 1);
        ASSERT_EQ(session->documents().size(), 1);
        EXPECT_EQ(session->activeDocument()->fullName(), path);

        // An opener that opens nothing leaves the host without a document.
        session->close(*session->activeDocument());
        application.setDocumentOpener([&] { ++opened; });
        EXPECT_FALSE(host.asks(application));
        EXPECT_EQ(opened, 2);
    }
    EXPECT_FALSE(HostSession::start(u"Microsoft Outlook"_qs));
}

} // namespace

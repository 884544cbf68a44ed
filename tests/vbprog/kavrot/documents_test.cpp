#include "platform/office/powerpoint/pptxapplication.h"
#include "platform/office/word/docx/wordapplication.h"
#include "tests/platform/office/word/sampledocx.h"
#include "tests/support/libreoffice.h"
#include "tests/support/printqstring.h"
#include "tests/vbprog/kavrot/olddocuments.h"
#include "tests/vbprog/toolkit/recordingobserver.h"
#include "vbprog/kavrot/powerpointtranscoder.h"
#include "vbprog/kavrot/referencetable.h"
#include "vbprog/kavrot/wordtranscoder.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kavrot;
using namespace kavrottest;
using toolkittest::RecordingObserver;
using toolkittest::stopAtPace;
namespace ppt = office::powerpoint;

namespace
{

// A reference unit and the formulas it gives the three old characters.
struct Unit {
    const char *database;
    QString formula[3];
};

const Unit kUnit1{"kavrot01.mdb", {"日\uF6A4月", "女\uF6A4子", "田\uF6A3力"}};
const Unit kUnit2{"kavrot02.mdb", {"田\uF6A3力", "日\uF6A4月", "女\uF6A4子"}};

bool holdsOldCharacters(const QString &text)
{
    return text.contains(QRegularExpression(QStringLiteral("[\uE000-\uE002]")));
}

void collectShapes(word::Collection<word::Shape> &shapes, QString &text)
{
    for (int i = 1; i <= shapes.count(); ++i) {
        word::Shape &shape = *shapes.item(i);
        collectShapes(shape.groupItems(), text);
        text += shape.textFrame().textRange()->text() + u'|';
    }
}

// Every story of the document the transcoder walks, joined by "|".
QString allStories(word::Document &document)
{
    QString text = document.content()->text() + u'|';
    for (auto *notes : {&document.footnotes(), &document.endnotes(), &document.comments()}) {
        for (int i = 1; i <= notes->count(); ++i)
            text += notes->item(i)->range()->text() + u'|';
    }
    collectShapes(document.shapes(), text);
    auto &sections = document.sections();
    for (int i = 1; i <= sections.count(); ++i) {
        for (auto index : {word::HeaderFooterIndex::Primary, word::HeaderFooterIndex::FirstPage,
                           word::HeaderFooterIndex::EvenPages}) {
            text += sections.item(i)->headers(index).range()->text() + u'|';
            text += sections.item(i)->footers(index).range()->text() + u'|';
        }
    }
    collectShapes(sections.item(1)->headers(word::HeaderFooterIndex::Primary).shapes(), text);
    return text;
}

QString storiesOf(const QString &path)
{
    word::docx::WordApplication word;
    auto opened = word.documents().open(path);
    EXPECT_TRUE(opened) << opened.errorString().toStdString();
    return opened ? allStories(*opened.value()) : QString();
}

class DocumentTest : public ::testing::TestWithParam<Unit>
{
protected:
    void SetUp() override
    {
        auto table = ReferenceTable::open(QStringLiteral(MURVEL_PROGRAM_DIR "/") +
                                          QLatin1String(GetParam().database));
        ASSERT_TRUE(table) << table.errorString().toStdString();
        m_table = table.value();
        m_observer.setMessage(QStringLiteral(" 檔案 old 轉碼中..."));
    }
    QString path(const char *name) const { return m_dir.filePath(QLatin1String(name)); }
    QString f(int old) const { return GetParam().formula[old]; }

    QTemporaryDir m_dir;
    ReferenceTable m_table;
    RecordingObserver m_observer;
};

TEST_P(DocumentTest, WordDocumentsAreConvertedInEveryStoryAndOpenInTheClient)
{
    ASSERT_TRUE(writeOldDocx(path("old.docx")));
    const QByteArray original = fileBytes(path("old.docx"));
    {
        TranscodeRun run(m_table, m_observer);
        const auto outcome = ConvertWordFile(path("old.docx"), path("new.docx"), run);
        ASSERT_TRUE(outcome) << outcome.errorString().toStdString();
        EXPECT_EQ(outcome.value(), FileOutcome::Converted);
        EXPECT_EQ(run.wordApplication().documents().count(), 0) << "the copy is closed";
    }
    EXPECT_EQ(fileBytes(path("old.docx")), original) << "the source is never changed";

    const QString stories = storiesOf(path("new.docx"));
    EXPECT_FALSE(holdsOldCharacters(stories)) << stories.toStdString();
    for (const QString &expected :
         {QStringLiteral("甲口") + f(1) + QStringLiteral("木乙丙") + f(0) +
              QStringLiteral("丁tail"),
          QStringLiteral("cell") + f(2) + QStringLiteral("text"),
          QStringLiteral(" note") + f(1) + QStringLiteral("text"),
          QStringLiteral("end") + f(0) + QStringLiteral("note"),
          QStringLiteral("re") + f(2) + QStringLiteral("mark") + f(0) + QStringLiteral("here"),
          QStringLiteral("inner") + f(0) + QStringLiteral("two"),
          QStringLiteral("box") + f(1) + QStringLiteral("one"),
          QStringLiteral("first") + f(2) + QStringLiteral("header"),
          QStringLiteral("even") + f(1) + QStringLiteral("header"),
          QStringLiteral("header") + f(0) + QStringLiteral("box"),
          QStringLiteral("primary") + f(1) + QStringLiteral("footer")})
        EXPECT_TRUE(stories.contains(expected)) << expected.toStdString();

    // The percentage of the main text rises from 1% at the earliest and never shows 100.
    int last = 0;
    for (const QString &message : std::as_const(m_observer.messages)) {
        static const QRegularExpression progress(
            QStringLiteral("^ 檔案 old 轉碼中...已完成 (\\d+)%$"));
        const auto match = progress.match(message);
        if (!match.hasMatch())
            continue;
        const int percent = match.captured(1).toInt();
        EXPECT_GT(percent, last);
        EXPECT_LE(percent, 99);
        last = percent;
    }
    EXPECT_GT(last, 0);

    auto client = testsupport::convertWithLibreOffice(path("new.docx"), QStringLiteral("fodt"));
    ASSERT_TRUE(client) << client.errorString().toStdString();
    const QString flat = QString::fromUtf8(client->document);
    for (const QString &expected : {f(0), f(1), f(2), QStringLiteral("note") + f(1),
                                    QStringLiteral("inner") + f(0), QStringLiteral("first") + f(2)})
        EXPECT_TRUE(flat.contains(expected)) << expected.toStdString();
}

TEST_P(DocumentTest, PresentationsAreConvertedInGroupsAndTablesAndOpenInTheClient)
{
    ASSERT_TRUE(writeOldPptx(path("old.pptx")));
    {
        TranscodeRun run(m_table, m_observer);
        const auto outcome = ConvertPowerPointFile(path("old.pptx"), path("new.pptx"), run);
        ASSERT_TRUE(outcome) << outcome.errorString().toStdString();
        EXPECT_EQ(outcome.value(), FileOutcome::Converted);
        EXPECT_EQ(run.powerPointApplication().presentations().count(), 0);
    }
    ppt::PptxApplication powerPoint;
    auto opened = powerPoint.presentations().open(path("new.pptx"), true, false, false);
    ASSERT_TRUE(opened) << opened.errorString().toStdString();
    ppt::Slide &slide = *opened.value()->slide(1);
    EXPECT_EQ(slide.shape(1)->textFrame()->textRange()->text().section(u'\r', 0, 0),
              QStringLiteral("甲\uF6A4乙文") + f(1) + QStringLiteral("字"))
        << "an operator symbol that the table lacks stays";
    ppt::Shape *innerGroup = slide.shape(2)->groupItem(2);
    ASSERT_EQ(innerGroup->type(), ppt::Shape::Type::Group);
    EXPECT_EQ(innerGroup->groupItem(1)->textFrame()->textRange()->text(),
              QStringLiteral("群") + f(0) + QStringLiteral("二"));
    EXPECT_EQ(slide.shape(3)->table()->cell(1, 2)->shape().textFrame()->textRange()->text(),
              QStringLiteral("表") + f(2) + QStringLiteral("二"));

    auto client = testsupport::convertWithLibreOffice(path("new.pptx"), QStringLiteral("fodp"));
    ASSERT_TRUE(client) << client.errorString().toStdString();
    const QString flat = QString::fromUtf8(client->document);
    for (const QString &expected :
         {QStringLiteral("文") + f(1), QStringLiteral("群") + f(0), QStringLiteral("表") + f(2)})
        EXPECT_TRUE(flat.contains(expected)) << expected.toStdString();
}

INSTANTIATE_TEST_SUITE_P(BothReferenceUnits, DocumentTest, ::testing::Values(kUnit1, kUnit2),
                         [](const auto &info) { return info.index == 0 ? "Unit1" : "Unit2"; });

class DocumentStopTest : public DocumentTest
{
};

TEST_P(DocumentStopTest, AStopInTheMainTextDiscardsTheCopy)
{
    ASSERT_TRUE(writeOldDocx(path("old.docx")));
    m_observer.stopAt = stopAtPace(1); // at the first character found
    TranscodeRun run(m_table, m_observer);
    const auto outcome = ConvertWordFile(path("old.docx"), path("new.docx"), run);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome.value(), FileOutcome::Stopped);
    EXPECT_FALSE(QFile::exists(path("new.docx")));
    EXPECT_EQ(run.wordApplication().documents().count(), 0) << "closed, not left open";
}

TEST_P(DocumentStopTest, ALaterStopConvertsOneMoreCharacterPerRangeAndKeepsTheCopy)
{
    ASSERT_TRUE(writeOldDocx(path("old.docx")));
    m_observer.stopAt = stopAtPace(4); // the main text holds three; the fourth is in the footnote
    {
        TranscodeRun run(m_table, m_observer);
        const auto outcome = ConvertWordFile(path("old.docx"), path("new.docx"), run);
        ASSERT_TRUE(outcome) << outcome.errorString().toStdString();
        EXPECT_EQ(outcome.value(), FileOutcome::Converted);
    }
    const QString stories = storiesOf(path("new.docx"));
    EXPECT_TRUE(stories.contains(QStringLiteral("cell") + f(2) + QStringLiteral("text")));
    EXPECT_TRUE(stories.contains(QStringLiteral(" note") + f(1) + QStringLiteral("text")));
    EXPECT_TRUE(stories.contains(QStringLiteral("end") + f(0) + QStringLiteral("note")));
    // The comment's second old character is left.
    EXPECT_TRUE(stories.contains(QStringLiteral("re") + f(2) + QStringLiteral("mark\uE000here")))
        << stories.toStdString();
}

TEST_P(DocumentStopTest, AStopInAPresentationDiscardsTheCopy)
{
    ASSERT_TRUE(writeOldPptx(path("old.pptx")));
    m_observer.stop = true;
    TranscodeRun run(m_table, m_observer);
    const auto outcome = ConvertPowerPointFile(path("old.pptx"), path("new.pptx"), run);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome.value(), FileOutcome::Stopped);
    EXPECT_FALSE(QFile::exists(path("new.pptx")));
    EXPECT_EQ(run.powerPointApplication().presentations().count(), 0);
}

INSTANTIATE_TEST_SUITE_P(FirstUnit, DocumentStopTest, ::testing::Values(kUnit1));

TEST(DocumentFailureTest, ADocumentTheEngineCannotReadLeavesNoOutput)
{
    QTemporaryDir dir;
    QFile fake(dir.filePath("fake.docx"));
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write("a binary document of another kind");
    fake.close();
    QFile::copy(fake.fileName(), dir.filePath("fake.pptx"));
    auto table = ReferenceTable::open(MURVEL_PROGRAM_DIR "/kavrot01.mdb");
    RecordingObserver observer;
    TranscodeRun run(table.value(), observer);
    EXPECT_FALSE(ConvertWordFile(fake.fileName(), dir.filePath("out.docx"), run));
    EXPECT_FALSE(QFile::exists(dir.filePath("out.docx")));
    EXPECT_FALSE(ConvertPowerPointFile(dir.filePath("fake.pptx"), dir.filePath("out.pptx"), run));
    EXPECT_FALSE(QFile::exists(dir.filePath("out.pptx")));
}

TEST(WordSearchTest, AnInsertedFormulaIsNotSearchedAgainNorAMissingCharacterTwice)
{
    QTemporaryDir dir;
    // The fixture maps U+F6A4 too, which the formula of U+E000 holds; U+E0FF has no record.
    ASSERT_TRUE(wordtest::writeDocx(dir.filePath("in.docx"),
                                    "<w:p><w:r><w:t>a\uE000b\uE0FFc\uE000</w:t></w:r></w:p>"));
    auto table = ReferenceTable::open(MURVEL_FIXTURE_DIR "/kavrot/kavrot01.mdb");
    ASSERT_TRUE(table);
    RecordingObserver observer;
    {
        TranscodeRun run(table.value(), observer);
        ASSERT_TRUE(ConvertWordFile(dir.filePath("in.docx"), dir.filePath("out.docx"), run));
    }
    EXPECT_EQ(observer.eventsRun, 3) << "three characters found, each once";
    EXPECT_EQ(storiesOf(dir.filePath("out.docx")).section(u'|', 0, 0),
              QStringLiteral("a日\uF6A4月b\uE0FFc日\uF6A4月\r"));
}

TEST(PresentationTextTest, OnlyCharactersInTheEndUserAreasAreLookedUp)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeOldPptx(dir.filePath("p.pptx")));
    auto table = ReferenceTable::open(MURVEL_FIXTURE_DIR "/kavrot/kavrot01.mdb");
    ASSERT_TRUE(table);
    ppt::PptxApplication powerPoint;
    auto opened = powerPoint.presentations().open(dir.filePath("p.pptx"), false, false, false);
    ASSERT_TRUE(opened);
    ppt::TextFrame &frame = *opened.value()->slide(2)->shape(1)->textFrame();
    // 甲 has a record too, but as an ordinary Big5 character it is no candidate.
    frame.textRange()->setText(QStringLiteral("甲\uE000\uE000乙"));
    ConvertPptTextRange(*frame.textRange(), table.value());
    EXPECT_EQ(frame.textRange()->text(), QStringLiteral("甲日\uF6A4月日\uF6A4月乙"));
}

} // namespace

#include "platform/office/word/docx/wordapplication.h"
#include "tests/platform/office/word/sampledocx.h"
#include "tests/vbprog/relmend/repairchecks.h"
#include "tests/vbprog/toolkit/recordingobserver.h"
#include "vbprog/relmend/wordrepairer.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using relmend::WordRepairer;
using relmendtest::privateUseMarks;
using word::StoryType;

namespace
{

class WordRepairerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_path = m_folder.filePath(QStringLiteral("sample.docx"));
        ASSERT_TRUE(wordtest::writeSampleDocx(m_path));
        m_before = wordtest::fileBytes(m_path);
        m_observer.setMessage(QStringLiteral(" 檔案 sample.docx 修復中..."));
        m_observer.messages.clear();
    }

    // The user confirms a stop at the first pacing point in the story; m_paces records the
    // story of every pacing point. The story is that of Word's selection: a document opens
    // with it in the main text, and the repairer selects each later range it repairs.
    void stopIn(StoryType stopStory)
    {
        m_observer.stopAt = [this, stopStory](int) {
            const StoryType story = m_word.selection()->storyType();
            m_paces << story;
            return story == stopStory;
        };
    }

    WordRepairer::Outcome repair()
    {
        WordRepairer repairer(m_word, m_observer);
        const WordRepairer::Outcome outcome = repairer.RepairWordFile(m_path);
        EXPECT_EQ(m_word.documents().count(), 0) << "the document is left open";
        return outcome;
    }

    QTemporaryDir m_folder;
    QString m_path;
    QByteArray m_before;
    word::docx::WordApplication m_word;
    toolkittest::RecordingObserver m_observer;
    QList<StoryType> m_paces;
};

TEST_F(WordRepairerTest, EveryStoryIsRepairedAndTheDocumentSavedInPlace)
{
    ASSERT_GT(privateUseMarks(m_path).unmarked, 0);
    EXPECT_EQ(repair(), WordRepairer::Outcome::Saved);
    const relmendtest::PrivateUseMarks marks = privateUseMarks(m_path);
    // Main text (hidden text and the table included), footnote, endnote, comment, the
    // text boxes of the nested groups, the VML box, headers of both sections.
    EXPECT_EQ(marks.unmarked, 0);
    EXPECT_EQ(marks.marked, 7);
    auto reopened = word::docx::DocxDocument::open(m_path);
    ASSERT_TRUE(reopened);
    EXPECT_EQ(reopened.value()->content()->text(), wordtest::sampleMainText);
}

TEST_F(WordRepairerTest, ADocumentWithoutPrivateUseCharactersIsClosedUnsaved)
{
    ASSERT_TRUE(
        wordtest::writeDocx(m_path, QStringLiteral("<w:p><w:r><w:t>口木</w:t></w:r></w:p>")));
    const QByteArray before = wordtest::fileBytes(m_path);
    EXPECT_EQ(repair(), WordRepairer::Outcome::Unchanged);
    EXPECT_EQ(wordtest::fileBytes(m_path), before);
}

TEST_F(WordRepairerTest, TheProgressRisesByWholePercentsBelowAHundred)
{
    QString body;
    for (int i = 0; i < 150; ++i)
        body += QStringLiteral("<w:p><w:r><w:t>口\uF6A4木</w:t></w:r></w:p>");
    ASSERT_TRUE(wordtest::writeDocx(m_path, body));
    EXPECT_EQ(repair(), WordRepairer::Outcome::Saved);
    const QRegularExpression shown(QStringLiteral("^ 檔案 sample.docx 修復中...已完成 (\\d+)%$"));
    int last = 0;
    ASSERT_FALSE(m_observer.messages.isEmpty());
    for (const QString &message : std::as_const(m_observer.messages)) {
        const QRegularExpressionMatch match = shown.match(message);
        ASSERT_TRUE(match.hasMatch()) << message.toStdString();
        const int percent = match.captured(1).toInt();
        EXPECT_GT(percent, last);
        EXPECT_LT(percent, 100);
        last = percent;
    }
    EXPECT_GT(last, 90);
}

TEST_F(WordRepairerTest, AStopInTheMainTextClosesTheDocumentUnsaved)
{
    stopIn(StoryType::MainText);
    EXPECT_EQ(repair(), WordRepairer::Outcome::Abandoned);
    EXPECT_EQ(wordtest::fileBytes(m_path), m_before);
    // The main text's first hit was the last.
    EXPECT_EQ(m_paces, QList<StoryType>{StoryType::MainText});
}

TEST_F(WordRepairerTest, AStopAfterAFootnoteClosesTheDocumentUnsaved)
{
    stopIn(StoryType::Footnotes);
    EXPECT_EQ(repair(), WordRepairer::Outcome::Abandoned);
    EXPECT_EQ(wordtest::fileBytes(m_path), m_before);
    EXPECT_EQ(m_paces.last(), StoryType::Footnotes);
}

TEST_F(WordRepairerTest, ALaterStopLetsEachRemainingRangeMakeOneMoreRepairAndSaves)
{
    // The comment holds two private-use characters; every other later range holds one.
    testsupport::ZipEntries entries = testsupport::readZip(m_path);
    for (auto &[name, data] : entries) {
        if (name == "word/comments.xml")
            data.replace(QStringLiteral("remark\uF6A3here").toUtf8(),
                         QStringLiteral("remark\uF6A3\uF6A4here").toUtf8());
    }
    ASSERT_TRUE(testsupport::writeZip(m_path, entries));
    m_before = wordtest::fileBytes(m_path);
    stopIn(StoryType::Endnotes);
    EXPECT_EQ(repair(), WordRepairer::Outcome::Saved);
    EXPECT_NE(wordtest::fileBytes(m_path), m_before);
    EXPECT_EQ(privateUseMarks(m_path).unmarked, 1);
    EXPECT_GT(m_paces.count(), m_paces.indexOf(StoryType::Endnotes) + 1);
}

TEST_F(WordRepairerTest, AFileThatIsNoDocumentFailsWithAReason)
{
    ASSERT_TRUE(wordtest::writeDocx(m_path, QString()));
    QFile file(m_path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a zip");
    file.close();
    WordRepairer repairer(m_word, m_observer);
    EXPECT_EQ(repairer.RepairWordFile(m_path), WordRepairer::Outcome::Failed);
    EXPECT_FALSE(repairer.errorString().isEmpty());
    EXPECT_EQ(wordtest::fileBytes(m_path), QByteArray("not a zip"));
}

} // namespace

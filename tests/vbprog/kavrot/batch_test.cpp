#include "tests/platform/office/powerpoint/samplepresentation.h"
#include "tests/platform/office/word/sampledocx.h"
#include "tests/support/childprocess.h"
#include "tests/support/printqstring.h"
#include "tests/support/rawfilename.h"
#include "tests/support/smalldisk.h"
#include "tests/vbprog/kavrot/olddocuments.h"
#include "tests/vbprog/toolkit/recordingobserver.h"
#include "vbprog/kavrot/batch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kavrot;
using namespace kavrottest;
using toolkittest::RecordingObserver;
using toolkittest::stopAtPace;

namespace
{

const QString kRefusal =
    QStringLiteral("目錄錯誤|轉碼後的檔案目錄和來源檔案的目錄不可相同，請重新設定檔案存放目錄！");

class BatchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(m_dir.path()).mkpath("src"));
        ASSERT_TRUE(QDir(m_dir.path()).mkpath("dst"));
    }
    QString src(const QString &name = {}) const { return m_dir.filePath("src/" + name); }
    QString dst(const QString &name = {}) const { return m_dir.filePath("dst/" + name); }
    void writeText(const QString &name) const
    {
        ASSERT_TRUE(
            writeCp950Text(src(name), {QStringLiteral("一\uE000"), QStringLiteral("二")}, "\r\n"));
    }
    BatchResult run(const QString &source, const QString &destination,
                    const QString &database = QStringLiteral(MURVEL_PROGRAM_DIR "/kavrot01.mdb"))
    {
        return runBatch({source, destination, database}, m_observer);
    }
    QStringList written() const { return QDir(dst()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir m_dir;
    RecordingObserver m_observer;
};

TEST_F(BatchTest, AFolderRunCountsEveryVisibleFileAndConvertsThoseItKnows)
{
    writeText("a.txt");
    ASSERT_TRUE(writeOldDocx(src("b.docx")));
    writeText("c.xyz");
    writeText("d.dst");
    writeText(".hidden.txt");
    ASSERT_TRUE(QDir(src()).mkdir("sub.txt"));

    const BatchResult result = run(src(), dst() + "/");
    EXPECT_TRUE(result.started);
    EXPECT_FALSE(result.stopped);
    EXPECT_EQ(result.count, 4);
    EXPECT_EQ(m_observer.count, 4);
    EXPECT_EQ(written(), QStringList({"a.txt", "b.docx"}));
    EXPECT_TRUE(m_observer.messages.contains(" 開始轉碼..."));
    EXPECT_TRUE(m_observer.messages.contains(" 檔案 c.xyz 轉碼中..."));
    EXPECT_EQ(m_observer.message(), " 轉碼結束，總共轉換了4個檔案。");
}

TEST_F(BatchTest, AReadOnlySourceFolderIsStillAFolder)
{
    writeText("a.txt");
    ASSERT_TRUE(QFile::setPermissions(src(), QFile::ReadOwner | QFile::ExeOwner));
    const BatchResult result = run(src(), dst());
    QFile::setPermissions(src(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(result.count, 1);
    EXPECT_EQ(written(), QStringList({"a.txt"}));
}

TEST_F(BatchTest, OneFileIsConvertedUnderItsNameIntoTheDestination)
{
    writeText("a.TxT");
    writeText("b.txt");
    const BatchResult result = run(src("a.TxT"), dst());
    EXPECT_EQ(result.count, 1);
    EXPECT_EQ(written(), QStringList({"a.TxT"}));
    EXPECT_EQ(m_observer.message(), " 轉碼結束，總共轉換了1個檔案。");
}

TEST_F(BatchTest, TheSameFolderIsRefusedHoweverItIsNamed)
{
    writeText("a.txt");
    ASSERT_TRUE(QFile::link(src(), m_dir.filePath("link")));
    for (const QString &destination :
         {src(), src() + "/", m_dir.filePath("dst/../src"), m_dir.filePath("link")}) {
        m_observer = RecordingObserver();
        const BatchResult result = run(src(), destination);
        EXPECT_FALSE(result.started) << destination.toStdString();
        EXPECT_EQ(m_observer.refusals, QStringList({kRefusal}));
        EXPECT_EQ(m_observer.message(), "");
        EXPECT_EQ(m_observer.count, 0);
    }
    m_observer = RecordingObserver();
    EXPECT_FALSE(run(src("a.txt"), m_dir.filePath("link")).started);
    EXPECT_EQ(m_observer.refusals, QStringList({kRefusal}));
    EXPECT_EQ(QDir(src()).entryList(QDir::Files), QStringList({"a.txt"})) << "nothing written";
}

// A bind mount shows the source folder at another path that no link reveals.
TEST_F(BatchTest, TheSourceFolderMountedAtTheDestinationIsRefused)
{
    writeText("a.txt");
    const QByteArray before = fileBytes(src("a.txt"));
    const std::optional<QString> said = testsupport::runOnBoundFolder(src(), dst(), [&] {
        QStringList started{QString::number(run(src(), dst()).started)};
        started.append(QString::number(run(src("a.txt"), dst() + "/").started));
        return started.join(u'|') + u'|' + m_observer.refusals.join(u'|');
    });
    if (!said)
        GTEST_SKIP() << "this system lets a test mount nothing";
    EXPECT_EQ(*said, "0|0|" + kRefusal + u'|' + kRefusal);
    EXPECT_EQ(fileBytes(src("a.txt")), before);
    EXPECT_EQ(QDir(src()).entryList(QDir::Files | QDir::Hidden), QStringList({"a.txt"}));
}

// A FIFO would hold the run (its window frozen), a device would fill memory: each is
// refused by name, whatever its name's format, and the run ends. It runs in a child, which
// is ended if it hangs.
TEST_F(BatchTest, ASourceThatIsNoRegularFileIsRefusedByName)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(src("fifo.txt")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(src("fifo.txt"), src("fifo-link.docx")));
    ASSERT_TRUE(QFile::link("/dev/zero", src("zero.txt")));
    ASSERT_TRUE(QFile::link("/dev/urandom", src("random")));
    const QStringList names{"fifo.txt", "fifo-link.docx", "zero.txt", "random"};
    const std::optional<QString> said = testsupport::runInChild(
        [] { return true; },
        [&] {
            QStringList outcomes;
            for (const QString &name : names) {
                const BatchResult result = run(src(name), dst());
                outcomes.append(QString::number(result.count) + u' ' + result.failures.join(u'/'));
            }
            return outcomes.join(u'\n');
        },
        120);
    ASSERT_TRUE(said);
    QStringList expected;
    for (const QString &name : names)
        expected.append("0 " + name + "：無法讀取 " + src(name) + "：這不是一般的檔案");
    EXPECT_EQ(*said, expected.join(u'\n'));
    EXPECT_TRUE(written().isEmpty());
}

// The text is written in lines and the disk fills in the middle of one: the run says so in
// the engines' words, of the user's file, and the earlier output stays in place, alone.
TEST_F(BatchTest, AFullDiskIsNamedAndLeavesTheEarlierOutputAsItWas)
{
    QStringList lines;
    for (int i = 0; i < 4000; ++i)
        lines.append(QStringLiteral("第%1行的舊字\uE000與\uE001").arg(i));
    ASSERT_TRUE(writeCp950Text(src("a.txt"), lines, "\r\n"));
    const std::optional<QString> said = testsupport::runOnSmallDisk(dst(), 64, [&] {
        QFile earlier(dst("a.txt"));
        if (!earlier.open(QIODevice::WriteOnly) || earlier.write("earlier") != 7)
            return QStringLiteral("the earlier output could not be written");
        earlier.close();
        const BatchResult result = run(src(), dst());
        return result.failures.join(u'/') + u'|' + written().join(u',') + u'|' +
               QString::fromLatin1(fileBytes(dst("a.txt"))) + u'|' + m_observer.message();
    });
    if (!said)
        GTEST_SKIP() << "this system mounts no file system for a test";
    const QString failure = "a.txt：無法儲存 " + dst("a.txt") + "：磁碟已滿";
    EXPECT_EQ(*said,
              failure + "|a.txt|earlier| 轉碼結束，總共轉換了0個檔案。1個檔案無法轉換：" + failure);
}

TEST_F(BatchTest, AStopDuringTheSecondFileCountsTheFirstOnly)
{
    writeText("a.txt");
    writeText("b.txt");
    // Events run after " 開始轉碼...", before a.txt, after counting it, before b.txt.
    m_observer.stopAt = stopAtPace(4);
    const BatchResult result = run(src(), dst());
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.count, 1);
    EXPECT_EQ(written(), QStringList({"a.txt"})) << "the stopped file's output is removed";
    EXPECT_EQ(m_observer.message(), " 使用者中斷，總共轉換了1個檔案。");
}

TEST_F(BatchTest, AStoppedSingleFileRunCountsNothing)
{
    writeText("a.txt");
    m_observer.stopAt = stopAtPace(2);
    const BatchResult result = run(src("a.txt"), dst());
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(m_observer.count, 0);
    EXPECT_TRUE(written().isEmpty());
    EXPECT_EQ(m_observer.message(), " 使用者中斷，總共轉換了0個檔案。");
}

TEST_F(BatchTest, AFileThatFailsIsNamedAndTheRunGoesOn)
{
    QFile fake(src("a.docx"));
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write("not a document");
    fake.close();
    writeText("b.txt");
    const BatchResult result = run(src(), dst());
    EXPECT_EQ(result.count, 1);
    ASSERT_EQ(result.failures.size(), 1);
    EXPECT_TRUE(result.failures.first().startsWith("a.docx："));
    EXPECT_TRUE(result.failures.first().contains(src("a.docx")))
        << "the reason names the user's file, not the transcoder's own copy: "
        << result.failures.first().toStdString();
    EXPECT_EQ(written(), QStringList({"b.txt"})) << "no partial a.docx";
    EXPECT_TRUE(
        m_observer.message().startsWith(" 轉碼結束，總共轉換了1個檔案。1個檔案無法轉換：a.docx："))
        << m_observer.message().toStdString();
}

TEST_F(BatchTest, BinaryOfficeFilesAreRefusedByTheSourcesNameAndLeaveNoCopy)
{
    for (const char *name : {"a.doc", "b.PPT"}) {
        QFile binary(src(name));
        ASSERT_TRUE(binary.open(QIODevice::WriteOnly));
        binary.write("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1 a compound file");
    }
    const BatchResult result = run(src(), dst());
    EXPECT_EQ(written(), QStringList());
    ASSERT_EQ(result.failures.size(), 2);
    for (const QString &failure : result.failures) {
        EXPECT_TRUE(failure.contains(src())) << failure.toStdString();
        EXPECT_FALSE(failure.contains(dst())) << failure.toStdString();
        EXPECT_TRUE(failure.contains(".docx 或 .pptx")) << failure.toStdString();
    }
}

// Each format writes a new file and renames it into place: a link in the destination is
// replaced, never written through into the file it names (here the source file itself).
TEST_F(BatchTest, ALinkInTheDestinationIsReplacedAndTheSourceItNamesKeepsItsBytes)
{
    writeText("a.txt");
    ASSERT_TRUE(writeOldDocx(src("b.docx")));
    ASSERT_TRUE(writeOldPptx(src("c.pptx")));
    writeText("d.txt");
    for (const QString name : {"a.txt", "b.docx", "c.pptx"})
        ASSERT_TRUE(QFile::link(src(name), dst(name)));
    ASSERT_EQ(::link(QFile::encodeName(src("d.txt")), QFile::encodeName(dst("d.txt"))), 0);
    const QStringList names{"a.txt", "b.docx", "c.pptx", "d.txt"};
    QList<QByteArray> before;
    for (const QString &name : names)
        before.append(fileBytes(src(name)));

    const BatchResult result = run(src(), dst());
    EXPECT_EQ(result.count, 4);
    EXPECT_TRUE(result.failures.isEmpty()) << result.failures.join(u'\n').toStdString();
    for (qsizetype i = 0; i < names.size(); ++i) {
        EXPECT_EQ(fileBytes(src(names[i])), before[i]) << names[i].toStdString();
        EXPECT_FALSE(QFileInfo(dst(names[i])).isSymLink()) << names[i].toStdString();
        EXPECT_NE(fileBytes(dst(names[i])), before[i]) << names[i].toStdString() << " converted";
    }
    EXPECT_EQ(written(), names) << "nothing else left in the destination";
}

TEST_F(BatchTest, AFileThatFailsLeavesAnEarlierOutputAsItWas)
{
    for (const QString &folder : {src(), dst()}) {
        QFile file(folder + "/a.docx");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(folder == src() ? "not a document" : "an earlier output");
    }
    const BatchResult result = run(src(), dst());
    EXPECT_EQ(result.failures.size(), 1);
    EXPECT_EQ(fileBytes(dst("a.docx")), "an earlier output");
    EXPECT_EQ(written(), QStringList({"a.docx"}));
}

// The count says what was converted; a file whose name no path can spell is named apart.
TEST_F(BatchTest, AFileWhoseNameIsNoUtf8IsNamedAsLeftOut)
{
    writeText("a.txt");
    ASSERT_TRUE(testsupport::writeFileNamedInBytes(src(), "bad\xFF\xFE.txt", "\xA4\x40"));
    const BatchResult result = run(src(), dst());
    EXPECT_EQ(result.count, 1);
    EXPECT_EQ(result.unreadableNames, QStringList({"bad\\xFF\\xFE.txt"}));
    EXPECT_EQ(written(), QStringList({"a.txt"}));
    EXPECT_EQ(m_observer.message(), " 轉碼結束，總共轉換了1個檔案。"
                                    "1個檔案的檔名無法辨識，未轉換：bad\\xFF\\xFE.txt");
    EXPECT_EQ(testsupport::readFileNamedInBytes(src(), "bad\xFF\xFE.txt"), "\xA4\x40");
}

TEST_F(BatchTest, DocumentsNestedPastTheLimitAreNamedAndTheRunGoesOn)
{
    ASSERT_TRUE(wordtest::writeDocx(
        src("a.docx"), wordtest::nestedBody(wordtest::Nesting::ContentControls, 20000, kOld0)));
    ASSERT_TRUE(writeOldDocx(src("b.docx")));
    ASSERT_TRUE(writeNestedGroupsPresentation(src("c.pptx"), 50000, kOld0));
    writeText("d.txt");
    const BatchResult result = run(src(), dst());
    EXPECT_EQ(result.count, 2);
    EXPECT_EQ(written(), QStringList({"b.docx", "d.txt"})) << "no unconverted copies";
    ASSERT_EQ(result.failures.size(), 2);
    const auto expectNamed = [](const QString &failure, const char *file, const char *part) {
        EXPECT_TRUE(failure.startsWith(QString::fromUtf8(file) + "：無法開啟 ") &&
                    failure.endsWith("：文件中的 " + QString::fromUtf8(part) +
                                     " 層層套疊超過 1000 層，檔案已損毀"))
            << failure.toStdString();
    };
    expectNamed(result.failures[0], "a.docx", "word/document.xml");
    expectNamed(result.failures[1], "c.pptx", "ppt/slides/slide2.xml");
    EXPECT_TRUE(
        m_observer.message().startsWith(" 轉碼結束，總共轉換了2個檔案。2個檔案無法轉換：a.docx："))
        << m_observer.message().toStdString();
}

TEST_F(BatchTest, WhatKeepsARunFromStartingIsReportedAndNothingIsWritten)
{
    writeText("a.txt");
    const auto expectRefused = [&](const BatchResult &result, const QString &expected) {
        EXPECT_FALSE(result.started);
        EXPECT_TRUE(m_observer.message().contains(expected)) << m_observer.message().toStdString();
        EXPECT_TRUE(written().isEmpty());
        m_observer = RecordingObserver();
    };
    expectRefused(run(src(), dst(), m_dir.filePath("kavrot01.mdb")), "kavrot01.mdb");
    expectRefused(run(src(), dst(), QString()), "找不到主程式");
    expectRefused(run(src("gone.txt"), dst()), "找不到來源檔案或目錄");
    expectRefused(run(QString(), dst()), "找不到來源檔案或目錄");
    expectRefused(run(src(), m_dir.filePath("nowhere")), "轉碼後檔案存放目錄不存在");
}

} // namespace

#include "vbprog/murvel/core/missingcharacterlog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

const QString Beside = QStringLiteral("\uF6A4");

class MissingCharacterLogTest : public ::testing::Test
{
protected:
    void SetUp() override { log.startRun(folder.path()); }

    QString logPath() const { return folder.filePath("usrhanzi.txt"); }
    QByteArray fileBytes() const
    {
        QFile file(logPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void writeFile(const QByteArray &bytes) const
    {
        QFile file(logPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    QTemporaryDir folder;
    MissingCharacterLog log;
};

TEST_F(MissingCharacterLogTest, FirstSaveCreatesTheFileInCp950WithOneQuotedLinePerEntry)
{
    ASSERT_TRUE(log.ensureLoaded());
    EXPECT_TRUE(log.entries().isEmpty());
    ASSERT_EQ(log.add("日" + Beside + "月"), MissingCharacterLog::Addition::Added);
    ASSERT_EQ(log.add("\uE010"), MissingCharacterLog::Addition::Added);
    EXPECT_TRUE(log.isChanged());
    ASSERT_TRUE(log.save()) << log.errorString().toStdString();

    // 日 A4E9, the operator U+F6A4 in the end-user area 8DF2, 月 A4EB; U+E010 is FA50.
    EXPECT_EQ(fileBytes(), QByteArray("\"\xA4\xE9\x8D\xF2\xA4\xEB\"\r\n\"\xFA\x50\"\r\n"));
    EXPECT_FALSE(log.isLoaded());
    EXPECT_FALSE(log.isChanged());
    EXPECT_TRUE(log.entries().isEmpty());
}

TEST_F(MissingCharacterLogTest, ReadsQuotedAndUnquotedFieldsAsAFieldReaderDoes)
{
    const QStringList entries =
        MissingCharacterLog::parse("\"a, b\"\r\n  plain  ,\"second\" \r\n\r\nlast\n\"\xA4\xE9\"");
    EXPECT_EQ(entries, QStringList({"a, b", "plain", "second", "last", "日"}));
}

TEST_F(MissingCharacterLogTest, AFileReadAndWrittenBackKeepsItsEntriesInOrder)
{
    QStringList written;
    for (int i = 1; i <= 51; ++i)
        written << QStringLiteral("口%1").arg(i);
    writeFile(MissingCharacterLog::format(written.mid(0, 50)));

    ASSERT_TRUE(log.load());
    EXPECT_EQ(log.entries(), written.mid(0, 50));
    EXPECT_TRUE(log.contains("口50"));
    EXPECT_FALSE(log.contains("口5 "));
    log.add(written.last());
    ASSERT_TRUE(log.save());
    EXPECT_EQ(MissingCharacterLog::parse(fileBytes()), written);
    EXPECT_TRUE(fileBytes().endsWith("\"\r\n"));
    EXPECT_FALSE(fileBytes().endsWith("\r\n\r\n"));
}

TEST_F(MissingCharacterLogTest, ARunThatAddsNothingLeavesTheFileAlone)
{
    const QByteArray before("\"x\"\r\nunquoted\r\n");
    writeFile(before);
    ASSERT_TRUE(log.load());
    ASSERT_TRUE(log.save());
    EXPECT_EQ(fileBytes(), before);
}

TEST_F(MissingCharacterLogTest, SavingKeepsWhatOthersAddedAndWhatTheyPrunedDuringTheRun)
{
    writeFile(MissingCharacterLog::format({"old", "pruned"}));
    ASSERT_TRUE(log.load());
    log.add("mine");
    // Meanwhile the statistics tool prunes one entry and another program logs one.
    writeFile(MissingCharacterLog::format({"old", "theirs"}));
    ASSERT_TRUE(log.save());
    EXPECT_EQ(MissingCharacterLog::parse(fileBytes()), QStringList({"old", "theirs", "mine"}));
}

TEST_F(MissingCharacterLogTest, AnotherProgramLoggingTheSameFormulaLeavesOneEntry)
{
    ASSERT_TRUE(log.load());
    log.add("same");
    writeFile(MissingCharacterLog::format({"same"}));
    ASSERT_TRUE(log.save());
    EXPECT_EQ(fileBytes(), QByteArray("\"same\"\r\n"));
}

TEST_F(MissingCharacterLogTest, FormulasThatWouldCorruptTheFileAreRefusedWithAReason)
{
    ASSERT_TRUE(log.load());
    for (const QString &formula : {QStringLiteral("a\"b"), QStringLiteral("a\rb"),
                                   QStringLiteral("a\nb"), QStringLiteral("\U00020000")}) {
        EXPECT_EQ(log.add(formula), MissingCharacterLog::Addition::Refused)
            << formula.toStdString();
        EXPECT_TRUE(log.errorString().contains(formula));
    }
    EXPECT_FALSE(log.isChanged());
    ASSERT_TRUE(log.save());
    EXPECT_FALSE(QFile::exists(logPath()));
}

TEST_F(MissingCharacterLogTest, ALogThatIsNotCp950TextIsNeitherReadNorWritten)
{
    QByteArray binary;
    for (int n = 0; n < 4096; ++n)
        binary += char(n * 7 % 256);
    for (const QByteArray &bytes :
         {QStringLiteral("\"日⿰月\"\r\n").toUtf8(), binary, QByteArray("\"a\"\r\n\0\r\n", 9)}) {
        writeFile(bytes);
        log.startRun(folder.path());
        EXPECT_FALSE(log.load());
        EXPECT_TRUE(log.errorString().contains(logPath())) << log.errorString().toStdString();

        log.add("mine");
        EXPECT_FALSE(log.save());
        EXPECT_FALSE(log.remove({"a"}));
        EXPECT_EQ(fileBytes(), bytes);
    }
}

TEST_F(MissingCharacterLogTest, AFailedSaveIsReportedAndKeepsTheRunsEntries)
{
    log.startRun(folder.filePath("no such folder"));
    ASSERT_TRUE(log.load());
    log.add("kept");
    EXPECT_FALSE(log.save());
    EXPECT_FALSE(log.errorString().isEmpty());
    EXPECT_TRUE(log.isChanged());
    EXPECT_EQ(log.entries(), QStringList({"kept"}));

    ASSERT_TRUE(QDir(folder.path()).mkdir("no such folder"));
    const QString retriedPath = log.path();
    ASSERT_TRUE(log.save());
    QFile retried(retriedPath);
    ASSERT_TRUE(retried.open(QIODevice::ReadOnly));
    EXPECT_EQ(retried.readAll(), QByteArray("\"kept\"\r\n"));
}

} // namespace

TEST_F(MissingCharacterLogTest, RemovingEntriesRewritesTheFileAndKeepsWhatOthersAddedSinceTheLoad)
{
    writeFile(MissingCharacterLog::format({"甲", "乙", "丙"}));
    ASSERT_TRUE(log.load());
    writeFile(MissingCharacterLog::format({"甲", "乙", "丙", "丁"}));
    ASSERT_TRUE(log.remove({"乙", "甲"}));
    EXPECT_EQ(fileBytes(), MissingCharacterLog::format({"丙", "丁"}));
    EXPECT_EQ(log.entries(), (QStringList{"丙", "丁"}));
}

TEST_F(MissingCharacterLogTest, RemovingWhatTheFileDoesNotHoldLeavesItUntouched)
{
    const QByteArray bytes = "  \"\xA5\xD2\" \r\n\xA4\x41\r\n"; // 甲 quoted, 乙 bare
    writeFile(bytes);
    ASSERT_TRUE(log.load());
    ASSERT_TRUE(log.remove({"丙"}));
    EXPECT_EQ(fileBytes(), bytes);
    // Removing every entry leaves an empty file, not none.
    ASSERT_TRUE(log.remove({"甲", "乙"}));
    EXPECT_TRUE(QFile::exists(logPath()));
    EXPECT_TRUE(fileBytes().isEmpty());
}

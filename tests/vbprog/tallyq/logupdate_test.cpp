#include "vbprog/tallyq/logupdate.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tallyq;

namespace
{

const QString Beside = QStringLiteral("\uF6A4");
const QString Above = QStringLiteral("\uF6A3");
const QString Around = QStringLiteral("\uF6A5");
const QString Open = QStringLiteral("\uF6AE");
const QString Close = QStringLiteral("\uF6AF");
const QString Twice = QStringLiteral("\uF6A7");

TEST(TallyqEntryKey, TheFirstOperatorDecidesBetweenABracketedAndAnInfixFormula)
{
    EXPECT_FALSE(entryKey(QStringLiteral("口")));
    EXPECT_EQ(entryKey(Open + "木木" + Close), (FormulaKey{4, "木木"}));
    // The bracket need not stand first: the entry loses its first and last characters.
    EXPECT_EQ(entryKey("口" + Open + "木" + Close), (FormulaKey{4, Open + "木"}));
    // The last infix operator sets the kind; prefix operators stay among the components.
    EXPECT_EQ(entryKey("日" + Beside + "月"), (FormulaKey{1, "日月"}));
    EXPECT_EQ(entryKey("日" + Beside + "月" + Above + "木"), (FormulaKey{2, "日月木"}));
    EXPECT_EQ(entryKey("口" + Around + Twice + "木"), (FormulaKey{3, "口" + Twice + "木"}));
    EXPECT_EQ(entryKey(Twice + "木"), (FormulaKey{5, Twice + "木"}));
    // An infix operator before the bracket: the bracket is not the first operator, so the
    // infix one sets the kind and the brackets stay among the components.
    EXPECT_EQ(entryKey("日" + Beside + Open + "木木" + Close),
              (FormulaKey{1, "日" + Open + "木木" + Close}));
}

class TallyqLogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(glyphs.open(QStringLiteral(MURVEL_FIXTURE_DIR "/lookup/murvel.mdb")))
            << glyphs.errorString().toStdString();
        log.startRun(windows.path());
    }

    QString logPath() const { return windows.filePath(QStringLiteral("usrhanzi.txt")); }
    void writeLog(const QByteArray &bytes) const
    {
        QFile file(logPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    QByteArray logBytes() const
    {
        QFile file(logPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    std::optional<int> prune()
    {
        return PruneLog(log,
                        [this](const QString &entry) { return glyphs.FormulaInDatabase(entry); });
    }

    QTemporaryDir windows;
    GlyphFormulas glyphs;
    MissingCharacterLog log;
};

TEST_F(TallyqLogTest, FormulasTheDatabaseHoldsAreFoundByTheirKey)
{
    EXPECT_TRUE(glyphs.FormulaInDatabase("日" + Beside + "月"));
    EXPECT_TRUE(glyphs.FormulaInDatabase("女" + Above + "子"));
    EXPECT_TRUE(glyphs.FormulaInDatabase(Open + "木木" + Close));
    EXPECT_TRUE(glyphs.FormulaInDatabase(Twice + "木"));
    EXPECT_FALSE(glyphs.FormulaInDatabase("月" + Beside + "日"));
    // A lone component is never sought, even one the database holds as a root.
    EXPECT_FALSE(glyphs.FormulaInDatabase(QStringLiteral("口")));
}

TEST_F(TallyqLogTest, AMissingOrDamagedDatabaseIsRefusedWithAReason)
{
    GlyphFormulas missing;
    EXPECT_FALSE(missing.open(windows.filePath(QStringLiteral("murvel.mdb"))));
    EXPECT_FALSE(missing.errorString().isEmpty());
    writeLog("not a database");
    GlyphFormulas damaged;
    EXPECT_FALSE(damaged.open(logPath()));
    EXPECT_FALSE(damaged.errorString().isEmpty());
}

TEST_F(TallyqLogTest, CountingReadsEveryEntryAndAMissingLogHoldsNone)
{
    EXPECT_EQ(CountLogEntries(log), 0);
    QStringList entries;
    for (int i = 1; i <= 120; ++i)
        entries << QStringLiteral("口%1").arg(i);
    writeLog(MissingCharacterLog::format(entries));
    EXPECT_EQ(CountLogEntries(log), 120);
}

TEST_F(TallyqLogTest, PruningDropsTheEntriesFoundAndKeepsTheOthersInOrder)
{
    const QStringList entries{"月" + Beside + "日", "日" + Beside + "月", "口",
                              Open + "魚羊" + Close, "人" + Above + "口"};
    writeLog(MissingCharacterLog::format(entries));
    EXPECT_EQ(prune(), 3);
    EXPECT_EQ(logBytes(), MissingCharacterLog::format({entries[0], entries[2], entries[4]}));
}

TEST_F(TallyqLogTest, APruneThatFindsNothingLeavesTheFileByteForByte)
{
    // 口 (A466) unquoted.
    const QByteArray bytes = MissingCharacterLog::format({"月" + Beside + "日"}) + "\xA4\x66\r\n";
    writeLog(bytes);
    EXPECT_EQ(prune(), 2);
    EXPECT_EQ(logBytes(), bytes);
}

TEST_F(TallyqLogTest, APruneThatFindsEveryEntryLeavesAnEmptyLog)
{
    writeLog(MissingCharacterLog::format({"日" + Beside + "月", "女" + Above + "子"}));
    EXPECT_EQ(prune(), 0);
    EXPECT_TRUE(QFile::exists(logPath()));
    EXPECT_TRUE(logBytes().isEmpty());
}

TEST_F(TallyqLogTest, EntriesAnotherProgramLogsDuringThePruneAreKept)
{
    const QString found = "日" + Beside + "月";
    const QString missing = "月" + Beside + "日";
    const QString theirs = "木" + Beside + "口";
    writeLog(MissingCharacterLog::format({found, missing}));
    bool appended = false;
    const std::optional<int> kept = PruneLog(log, [&](const QString &entry) {
        if (!appended) {
            // The add-in ends a run while the lookups go on: it appends to the file.
            QFile file(logPath());
            EXPECT_TRUE(file.open(QIODevice::Append));
            file.write(MissingCharacterLog::format({theirs}));
            appended = true;
        }
        return glyphs.FormulaInDatabase(entry);
    });
    EXPECT_EQ(kept, 2);
    EXPECT_EQ(MissingCharacterLog::parse(logBytes()), (QStringList{missing, theirs}));
}

TEST_F(TallyqLogTest, ALogThatCannotBeReadIsReportedAndLeftAlone)
{
    ASSERT_TRUE(QDir(windows.path()).mkdir(QStringLiteral("usrhanzi.txt")));
    EXPECT_FALSE(prune());
    EXPECT_FALSE(log.errorString().isEmpty());
    EXPECT_TRUE(QFileInfo(logPath()).isDir());
}

TEST_F(TallyqLogTest, ALogWithLinesThatAreNotCp950IsNotPruned)
{
    // A formula the database holds, then one saved as UTF-8 by another editor.
    const QByteArray bytes = MissingCharacterLog::format({"日" + Beside + "月"}) + "\"" +
                             QStringLiteral("子%1女").arg(Beside).toUtf8() + "\"\r\n";
    writeLog(bytes);
    EXPECT_FALSE(prune());
    EXPECT_TRUE(log.errorString().contains(QStringLiteral("Big5")));
    EXPECT_EQ(logBytes(), bytes);
}

} // namespace

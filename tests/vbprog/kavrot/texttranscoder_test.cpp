#include "platform/codepage/cp950.h"
#include "tests/support/printqstring.h"
#include "tests/vbprog/kavrot/olddocuments.h"
#include "tests/vbprog/toolkit/recordingobserver.h"
#include "vbprog/kavrot/convertfile.h"
#include "vbprog/kavrot/referencetable.h"
#include "vbprog/kavrot/texttranscoder.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kavrot;
using namespace kavrottest;
using toolkittest::RecordingObserver;

namespace
{

const QString kEdgeCases = QStringLiteral(MURVEL_FIXTURE_DIR "/kavrot/kavrot01.mdb");
const QString kUnit1 = QStringLiteral(MURVEL_PROGRAM_DIR "/kavrot01.mdb");
const QString kUnit2 = QStringLiteral(MURVEL_PROGRAM_DIR "/kavrot02.mdb");

ReferenceTable openTable(const QString &path)
{
    auto table = ReferenceTable::open(path);
    EXPECT_TRUE(table) << table.errorString().toStdString();
    return table.value();
}

TEST(ReferenceTableTest, GivesTheFirstRecordsFormulaAndKeepsCharactersWithoutOne)
{
    const ReferenceTable table = openTable(kEdgeCases);
    EXPECT_EQ(table.formulaFor(u'\uE000'), QStringLiteral("日\uF6A4月"));
    EXPECT_EQ(table.formulaFor(u'\uE012'), QStringLiteral("先")) << "the first record wins";
    EXPECT_EQ(table.formulaFor(u'\uE010'), std::nullopt) << "a Null formula keeps the character";
    EXPECT_EQ(table.formulaFor(u'\uE0FF'), std::nullopt);

    // The two sample units map the same characters differently.
    EXPECT_EQ(openTable(kUnit1).formulaFor(u'\uE000'), QStringLiteral("日\uF6A4月"));
    EXPECT_EQ(openTable(kUnit2).formulaFor(u'\uE000'), QStringLiteral("田\uF6A3力"));
}

TEST(ReferenceTableTest, AMissingOrForeignFileIsRefusedByName)
{
    QTemporaryDir dir;
    const auto missing = ReferenceTable::open(dir.filePath("kavrot01.mdb"));
    EXPECT_FALSE(missing);
    EXPECT_TRUE(missing.errorString().contains("kavrot01.mdb"));
    QFile text(dir.filePath("kavrot02.mdb"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a database");
    text.close();
    EXPECT_FALSE(ReferenceTable::open(text.fileName()));
    // A glyph database holds no 檢字表 with the index 舊形.
    EXPECT_FALSE(ReferenceTable::open(MURVEL_PROGRAM_DIR "/murvel.mdb"));
}

TEST(TextLineTest, ReplacesKnownCharactersAndKeepsEverythingElseByteForByte)
{
    const ReferenceTable table = openTable(kEdgeCases);
    const auto line = [&](const QString &text) {
        return transcodeCp950Line(codepage::toCp950(text), table);
    };
    // Every character is looked up, ordinary ones too.
    EXPECT_EQ(line(QStringLiteral("甲\uE000乙")),
              codepage::toCp950(QStringLiteral("田\uF6A3十日\uF6A4月乙")));
    // A Null formula, once lost the rest of the line.
    EXPECT_EQ(line(QStringLiteral("a\uE010b\uE000")),
              codepage::toCp950(QStringLiteral("a\uE010b日\uF6A4月")));
    // A formula the code page cannot hold leaves the old character rather than "?".
    EXPECT_EQ(line(QStringLiteral("\uE011")), codepage::toCp950(QStringLiteral("\uE011")));

    // Bytes that are no cp950 character pass through unchanged, also around replacements.
    const QByteArray old = codepage::toCp950(QStringLiteral("\uE000"));
    const QByteArray formula = codepage::toCp950(QStringLiteral("日\uF6A4月"));
    EXPECT_EQ(transcodeCp950Line("\x80" + old + "\xFF", table), "\x80" + formula + "\xFF");
    EXPECT_EQ(transcodeCp950Line("x\xA4", table), "x\xA4") << "a lead byte at the line's end";
    EXPECT_EQ(transcodeCp950Line("\xA4 " + old, table), "\xA4 " + formula);
}

class TextFileTest : public ::testing::Test
{
protected:
    QString path(const char *name) const { return m_dir.filePath(QLatin1String(name)); }

    QTemporaryDir m_dir;
    ReferenceTable m_table = openTable(kUnit1);
    RecordingObserver m_observer;
};

TEST_F(TextFileTest, EveryLineEndsInCrLfAndEmptyLinesStay)
{
    QFile source(path("in.txt"));
    ASSERT_TRUE(source.open(QIODevice::WriteOnly));
    source.write(codepage::toCp950(QStringLiteral("一\uE000\r\n\n二\uE001\r三\r\n末行\uE002")));
    source.close();

    TranscodeRun run(m_table, m_observer);
    const auto outcome = ConvertTextFile(path("in.txt"), path("out.txt"), run);
    ASSERT_TRUE(outcome) << outcome.errorString().toStdString();
    EXPECT_EQ(outcome.value(), FileOutcome::Converted);
    EXPECT_EQ(fileBytes(path("out.txt")),
              codepage::toCp950(QStringLiteral("一日\uF6A4月\r\n\r\n二女\uF6A4子\r\n三\r\n"
                                               "末行田\uF6A3力\r\n")));
    EXPECT_EQ(m_observer.message(),
              QStringLiteral("檔案") + path("out.txt") + QStringLiteral("轉碼中"));
}

TEST_F(TextFileTest, AStopRemovesTheOutputAndAFailureLeavesNone)
{
    ASSERT_TRUE(
        writeCp950Text(path("in.txt"), {QStringLiteral("\uE000"), QStringLiteral("b")}, "\r\n"));
    m_observer.stop = true;
    TranscodeRun run(m_table, m_observer);
    const auto stopped = ConvertTextFile(path("in.txt"), path("out.txt"), run);
    ASSERT_TRUE(stopped);
    EXPECT_EQ(stopped.value(), FileOutcome::Stopped);
    EXPECT_FALSE(QFile::exists(path("out.txt")));

    m_observer.stop = false;
    EXPECT_FALSE(ConvertTextFile(path("missing.txt"), path("out.txt"), run));
    EXPECT_FALSE(ConvertTextFile(path("in.txt"), path("no/such/folder/out.txt"), run));
    EXPECT_FALSE(QFile::exists(path("out.txt")));
}

TEST(FileFormatTest, TheExtensionPicksTheFormatInAnyCase)
{
    EXPECT_EQ(formatOf("/x/a.TxT"), FileFormat::Text);
    EXPECT_EQ(formatOf("/x/a.b"), FileFormat::Text);
    EXPECT_EQ(formatOf("/x/a.C"), FileFormat::Text);
    EXPECT_EQ(formatOf("/x/a.docx"), FileFormat::Word);
    EXPECT_EQ(formatOf("/x/a.DOC"), FileFormat::BinaryOffice);
    EXPECT_EQ(formatOf("/x/a.ppt"), FileFormat::BinaryOffice);
    EXPECT_EQ(formatOf("/x/a.pptx"), FileFormat::PowerPoint);
    EXPECT_EQ(formatOf("/x/a.dst"), FileFormat::Unknown);
    EXPECT_EQ(formatOf("/x.y/noextension"), FileFormat::Unknown) << "a dot in the folder";
}

} // namespace

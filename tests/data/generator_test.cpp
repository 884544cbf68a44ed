#include "datagenerator.h"
#include "glyphnumbers.h"
#include "sourcereader.h"
#include "tablecells.h"
#include "tests/data/sqlitereader.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

// A sources folder written by a test, and an output folder beside it.
class GeneratorRun : public testing::Test
{
protected:
    QTemporaryDir temp;

    QString sources() const { return temp.filePath("sources"); }
    QString output() const { return temp.filePath("out"); }

    QString write(const QString &relativePath, const QString &text)
    {
        const QString path = QDir(sources()).filePath(relativePath);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
        return path;
    }

    QList<SourceError> generate() const { return GenerateDatabases(sources(), output()); }

    QStringList builtFiles() const { return QDir(output()).entryList(QDir::Files); }

    // Expects one refusal naming the file and line, and nothing written.
    void expectRefusal(const QString &file, int line, const char *what)
    {
        const QList<SourceError> errors = generate();
        ASSERT_FALSE(errors.isEmpty());
        EXPECT_EQ(errors.first().file, file);
        EXPECT_EQ(errors.first().line, line);
        EXPECT_TRUE(errors.first().message.contains(what)) << errors.first().text().toStdString();
        EXPECT_TRUE(builtFiles().isEmpty()) << builtFiles().join(' ').toStdString();
    }
};

TEST_F(GeneratorRun, buildsEveryDatabaseFolderWithMissingTablesEmpty)
{
    write("murvel/檢字表.tsv", "字形\t@構字式\n木\t\n林\t\\uF6A7木\n");
    write("kavrot01/檢字表.tsv", "舊形\t構字式\n\\uE000\t\\uF6A7木\n");
    ASSERT_TRUE(generate().isEmpty());
    EXPECT_EQ(builtFiles(), (QStringList{"kavrot01.mdb", "murvel.mdb"}));
    const SqliteReader db(QDir(output()).filePath("murvel.mdb"));
    EXPECT_EQ(db.value("SELECT 字根序 FROM 檢字表 WHERE 字形 = '林'").toString(), "木木");
    EXPECT_EQ(db.value("SELECT count(*) FROM 異體字表").toInt(), 0);
}

TEST_F(GeneratorRun, refusesAnUnknownColumn)
{
    const QString file = write("murvel/檢字表.tsv", "# glyphs\n字形\t字型\n木\t1\n");
    expectRefusal(file, 2, "unknown column");
}

TEST_F(GeneratorRun, refusesADerivedColumn)
{
    const QString file = write("murvel/檢字表.tsv", "字形\t字根序\n木\t木\n");
    expectRefusal(file, 1, "derived");
}

TEST_F(GeneratorRun, refusesACellThatIsNoNumber)
{
    const QString file = write("murvel/檢字表.tsv", "字形\t筆畫\n木\t4\n林\tabc\n");
    expectRefusal(file, 3, "not a number");
}

TEST_F(GeneratorRun, refusesACycleInTheFormulasNamingIt)
{
    const QString file =
        write("murvel/檢字表.tsv", "字形\t@構字式\n一\t\n甲\t乙\\uF6A4一\n乙\t甲\\uF6A3一\n");
    expectRefusal(file, 3, "甲 → 乙 → 甲");
}

TEST_F(GeneratorRun, expandsAncientComponentsThroughTheirFirstRecordOnly)
{
    // Record 3 is a variant form of 子 written with 子 itself: no cycle, as the first record
    // of 子 is a root.
    write("qelseal/檢字表.tsv", "編號\t字形\t字碼\t字體\t@構字式\n"
                                "1\t子\t\t13\t\n"
                                "2\t巛\t\t13\t\n"
                                "3\t子\t\\uE100\t14\t巛\\uF6A3子\n");
    ASSERT_TRUE(generate().isEmpty());
    const SqliteReader db(QDir(output()).filePath("qelseal.mdb"));
    EXPECT_EQ(db.value("SELECT 字根序 FROM 檢字表 WHERE 編號 = 3").toString(), "巛子");
    EXPECT_EQ(db.value("SELECT 組字字數 FROM 檢字表 WHERE 編號 = 2").toInt(), 1);
}

TEST_F(GeneratorRun, refusesALinkToAGlyphThatMurvelLacks)
{
    write("murvel/檢字表.tsv", "字形\n木\n");
    const QString file = write("qelseal/檢字表.tsv",
                               "編號\t@楷書\t字碼\t字體\n1\t木\t\\uE100\t13\n2\t林\t\\uE101\t13\n");
    expectRefusal(file, 3, "林");
}

TEST_F(GeneratorRun, refusesTwoGlyphsWithOneNumber)
{
    // 13061 is the first number of glyphs outside Big5; 亻 takes it, the given one collides.
    const QString file = write("murvel/檢字表.tsv", "字形\t編號\n亻\t\n乂\t13061\n丂\t13061\n");
    expectRefusal(file, 4, "duplicate 編號");
}

TEST_F(GeneratorRun, refusesAnUnknownDatabaseFolder)
{
    write("murvel/檢字表.tsv", "字形\n木\n");
    write("qelxyz/檢字表.tsv", "字形\n木\n");
    expectRefusal(QDir(sources()).filePath("qelxyz"), 0, "no database");
}

TEST_F(GeneratorRun, leavesTheLastGoodDatabaseWhenASourceTurnsBad)
{
    write("murvel/檢字表.tsv", "字形\n木\n");
    ASSERT_TRUE(generate().isEmpty());
    write("murvel/檢字表.tsv", "字形\t筆畫\n木\tx\n");
    EXPECT_FALSE(generate().isEmpty());
    EXPECT_EQ(builtFiles(), QStringList{"murvel.mdb"}); // no partial file beside it
    const SqliteReader db(QDir(output()).filePath("murvel.mdb"));
    EXPECT_EQ(db.value("SELECT 字形 FROM 檢字表").toString(), "木");
}

TEST_F(GeneratorRun, leavesOutTheTablesThatOmitTablesLists)
{
    write("qelchu/檢字表.tsv", "編號\t字碼\n1\t\\uE400\n");
    write("qelchu/omit-tables", "# none of these\n異體字表\n");
    ASSERT_TRUE(generate().isEmpty());
    const SqliteReader db(QDir(output()).filePath("qelchu.mdb"));
    EXPECT_FALSE(db.tableNames().contains("異體字表"));
    EXPECT_TRUE(db.tableNames().contains("異寫字根"));
}

TEST_F(GeneratorRun, programExitsNonZeroAndNamesTheFile)
{
    const QString file = write("murvel/檢字表.tsv", "字形\t字型\n木\t1\n");
    QProcess process;
    process.start(MURVEL_DATAGEN, {sources(), output()});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(process.readAllStandardError()).contains(file + ":1:"));
}

TEST(Big5HanziRank, countsBothHanziBlocksAndTheExtensions)
{
    EXPECT_EQ(Big5HanziRank(0xA440), 1);
    EXPECT_EQ(Big5HanziRank(0xA47E), 63);
    EXPECT_EQ(Big5HanziRank(0xA4A1), 64); // the trail bytes skip 7F..A0
    EXPECT_EQ(Big5HanziRank(0xA540), 158);
    EXPECT_EQ(Big5HanziRank(0xC67E), 5401);
    EXPECT_EQ(Big5HanziRank(0xC940), 5402);
    EXPECT_EQ(Big5HanziRank(0xF9D5), 13053);
    EXPECT_EQ(Big5HanziRank(0xF9D6), 13054);
    EXPECT_EQ(Big5HanziRank(0xF9DC), 13060);
    for (quint16 outside : {0xA3FE, 0xA480, 0xC6A1, 0xC87E, 0xF9DD, 0xA140})
        EXPECT_FALSE(Big5HanziRank(outside).has_value()) << std::hex << outside;
}

TEST(DecodeCell, turnsEscapesIntoCodeUnitsAndKeepsOtherBackslashes)
{
    EXPECT_EQ(DecodeCell("\\uF6A4"), QString(QChar(0xF6A4)));
    EXPECT_EQ(DecodeCell("a\\uf6a7b"), "a" + QString(QChar(0xF6A7)) + "b");
    EXPECT_EQ(DecodeCell("\\u12"), "\\u12");
    EXPECT_EQ(DecodeCell("\\x\\"), "\\x\\");
}

// The compact cells must give back what was written: Null apart from 0 and from an empty
// text (which the database stores as ''), earlier texts intact while the buffer grows, and an
// input column that a row lacks as empty.
TEST(TableCells, giveBackNullsNumbersAndTextsAsWritten)
{
    const TableDef &glyphs = *FindDatabaseDef("murvel")->table("檢字表");
    const int number = glyphs.fieldIndex("編號");
    const int sequence = glyphs.fieldIndex("字根序");
    TableCells cells(glyphs);
    EXPECT_EQ(cells.appendRow(2), 0);
    cells.setInput(0, "@構字式", "木\uF6A4木");
    for (int row = 1; row < 3000; ++row) {
        EXPECT_EQ(cells.appendRow(row + 2), row);
        cells.setValue(row, number, qlonglong(row));
        cells.setValue(row, sequence, QString(row % 40 + 1, QChar(0x4E00 + row)));
    }
    cells.setValue(1, number, qlonglong(0));
    cells.setValue(2, sequence, QString(""));
    cells.setValue(3, sequence, QVariant());

    EXPECT_TRUE(cells.isNull(0, number));
    EXPECT_FALSE(cells.value(0, sequence).isValid());
    EXPECT_EQ(cells.value(1, number), QVariant(qlonglong(0)));
    EXPECT_EQ(cells.value(2999, number), QVariant(qlonglong(2999)));
    EXPECT_FALSE(cells.isNull(2, sequence));
    EXPECT_EQ(cells.value(2, sequence).typeId(), QMetaType::QString);
    EXPECT_TRUE(cells.value(2, sequence).toString().isEmpty());
    EXPECT_TRUE(cells.isNull(3, sequence));
    EXPECT_EQ(cells.value(1, sequence).toString(), QString(2, QChar(0x4E01)));
    EXPECT_EQ(cells.textView(2999, sequence), QString(40, QChar(0x4E00 + 2999)));
    EXPECT_EQ(cells.line(2999), 3001);
    EXPECT_EQ(cells.input(0, "@構字式"), "木\uF6A4木");
    EXPECT_TRUE(cells.input(1, "@構字式").isEmpty());
    EXPECT_TRUE(cells.input(0, "@楷書").isEmpty());
}

} // namespace

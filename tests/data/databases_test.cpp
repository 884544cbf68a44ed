#include "glyphnumbers.h"
#include "platform/codepage/cp950.h"
#include "tests/data/sqlitereader.h"
#include "vbprog/murvel/core/formula.h"
#include "vbprog/murvel/schema/databaseschema.h"

#include <QDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace
{

const QStringList kScriptDatabases = {"murvel", "qelseal", "qelbronz", "qeljiagu", "qelchu"};

QString sortedCharacters(QString text)
{
    std::sort(text.begin(), text.end());
    return text;
}

// A folder of built databases: the sample set of the program folder, or a fixture.
struct DatabaseSet {
    const char *name;
    QString folder;
    QStringList databases;
};

void PrintTo(const DatabaseSet &set, std::ostream *os)
{
    *os << set.name;
}

class BuiltDatabases : public testing::TestWithParam<DatabaseSet>
{
protected:
    QString pathOf(const QString &database) const
    {
        return QDir(GetParam().folder).filePath(database + ".mdb");
    }
};

TEST_P(BuiltDatabases, holdEveryTableFieldAndIndexOfTheSchema)
{
    for (const QString &name : GetParam().databases) {
        SCOPED_TRACE(name.toStdString());
        const SqliteReader db(pathOf(name));
        ASSERT_TRUE(db.isOpen());
        const DatabaseDef *def = FindDatabaseDef(name);
        ASSERT_NE(def, nullptr);
        const QStringList tables = db.tableNames();
        for (const TableDef &table : def->tables) {
            ASSERT_TRUE(tables.contains(table.name)) << table.name.toStdString();
            const QStringList columns = db.columnNames(table.name);
            for (const FieldDef &field : table.fields)
                EXPECT_TRUE(columns.contains(field.name))
                    << table.name.toStdString() << "." << field.name.toStdString();
            for (const IndexDef &index : table.indexes)
                EXPECT_EQ(db.indexColumns(table.name + "." + index.name), index.columns)
                    << table.name.toStdString() << "." << index.name.toStdString();
        }
    }
}

TEST_P(BuiltDatabases, carryTheSchemaVersionThatTheProgramsRequire)
{
    for (const QString &name : GetParam().databases) {
        const SqliteReader db(pathOf(name));
        EXPECT_EQ(db.value("PRAGMA user_version").toInt(), SchemaVersion) << name.toStdString();
    }
}

TEST_P(BuiltDatabases, linkEveryAncientGlyphToItsRegularGlyphBothWays)
{
    const SqliteReader regular(pathOf("murvel"));
    ASSERT_TRUE(regular.isOpen());
    for (const ScriptLink &link : ScriptLinks()) {
        SCOPED_TRACE(link.database.toStdString());
        const SqliteReader ancient(pathOf(link.database));
        ASSERT_TRUE(ancient.isOpen());
        const QList<QVariantList> forward =
            regular.rows(QStringLiteral("SELECT 編號, \"%1\" FROM 檢字表 WHERE \"%1\" IS NOT NULL")
                             .arg(link.numberField));
        for (const QVariantList &row : forward) {
            const QVariant back =
                ancient.value(QStringLiteral("SELECT 楷書編號 FROM 檢字表 WHERE 編號 = %1")
                                  .arg(row[1].toLongLong()));
            EXPECT_EQ(back, row[0]) << "regular glyph " << row[0].toLongLong();
        }
        const QList<QVariantList> backward =
            ancient.rows("SELECT 編號, 楷書編號 FROM 檢字表 WHERE 楷書編號 IS NOT NULL");
        for (const QVariantList &row : backward) {
            const QVariant linked =
                regular.value(QStringLiteral("SELECT \"%1\" FROM 檢字表 WHERE 編號 = %2")
                                  .arg(link.numberField)
                                  .arg(row[1].toLongLong()));
            ASSERT_TRUE(linked.isValid()) << "ancient glyph " << row[0].toLongLong();
            // The regular glyph names the first of its ancient forms, which links back to it.
            EXPECT_EQ(ancient.value(QStringLiteral("SELECT 楷書編號 FROM 檢字表 WHERE 編號 = %1")
                                        .arg(linked.toLongLong())),
                      row[1]);
        }
    }
}

TEST_P(BuiltDatabases, storeTheSearchKeysThatTheFormulaSearchBuilds)
{
    const SqliteReader db(pathOf("murvel"));
    ASSERT_TRUE(db.isOpen());
    LoadOperatorSymbolsFrom(db);
    const DatabaseRootCatalog catalog(db);
    const QList<QVariantList> glyphs =
        db.rows("SELECT 編號, 部件序, 字根序, 字根序二, 字根組, 字根組二 FROM 檢字表 "
                "WHERE 連接符號 NOT IN (0, 9)");
    for (const QVariantList &g : glyphs) {
        SCOPED_TRACE(g[0].toLongLong());
        const QString roots = g[2].toString();
        EXPECT_EQ(roots, BuildRootSequence(catalog, g[1].toString()));
        EXPECT_EQ(g[3].toString(), ReplaceVariantRoots(catalog, roots));
        EXPECT_EQ(sortedCharacters(g[4].toString()), sortedCharacters(roots));
        EXPECT_EQ(g[4].toString(), SortComponentsByNumber(catalog, roots));
        EXPECT_EQ(sortedCharacters(g[5].toString()), sortedCharacters(g[3].toString()));
    }
}

TEST_P(BuiltDatabases, holdTheFourteenOperatorSymbolsInOrder)
{
    const SqliteReader db(pathOf("murvel"));
    const QList<QVariantList> symbols = db.rows("SELECT 編號, 字形 FROM 符號 ORDER BY 編號");
    ASSERT_EQ(symbols.size(), 14);
    const QList<char16_t> expected = {0xF6A4, 0xF6A3, 0xF6A5, 0xF6A6, 0xF6A7, 0xF6A8, 0xF6A9,
                                      0xF6AA, 0xF6AB, 0xF6AC, 0xF6AD, 0xF6AE, 0xF6AF, 0xF6B0};
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(symbols[i][0].toInt(), i + 1);
        EXPECT_EQ(symbols[i][1].toString(), QString(QChar(expected[i])));
    }
}

TEST_P(BuiltDatabases, numberTheBig5HanziByTheirRank)
{
    const SqliteReader db(pathOf("murvel"));
    const QList<QVariantList> glyphs =
        db.rows("SELECT 編號, 字形 FROM 檢字表 WHERE 編號 BETWEEN 1 AND 13060");
    ASSERT_FALSE(glyphs.isEmpty());
    for (const QVariantList &g : glyphs) {
        const QString glyph = g[1].toString();
        ASSERT_EQ(glyph.size(), 1) << g[0].toLongLong();
        const auto code = codepage::big5Code(glyph[0]);
        ASSERT_TRUE(code.has_value()) << g[0].toLongLong();
        EXPECT_EQ(Big5HanziRank(*code), g[0].toInt()) << glyph.toStdString();
    }
}

TEST_P(BuiltDatabases, nameTheTypefacesUpToTheAncientScripts)
{
    const SqliteReader db(pathOf("murvel"));
    for (int face = 0; face <= 17; ++face)
        EXPECT_FALSE(db.value(QStringLiteral("SELECT 名稱 FROM 字體 WHERE 編號 = %1").arg(face))
                         .toString()
                         .isEmpty())
            << face;
    EXPECT_EQ(db.value("SELECT 名稱 FROM 字體 WHERE 編號 = 13").toString(), "北師大說文小篆");
    EXPECT_EQ(db.value("SELECT 名稱 FROM 字體 WHERE 編號 = 1").toString(), "標楷體外字集一");
}

INSTANTIATE_TEST_SUITE_P(
    , BuiltDatabases,
    testing::Values(DatabaseSet{"sample", MURVEL_PROGRAM_DIR,
                                kScriptDatabases + QStringList{"kavrot01", "kavrot02"}},
                    DatabaseSet{"basic", QDir(MURVEL_FIXTURE_DIR).filePath("basic"),
                                kScriptDatabases}),
    [](const testing::TestParamInfo<DatabaseSet> &info) { return std::string(info.param.name); });

QString programDatabase(const QString &name)
{
    return QDir(MURVEL_PROGRAM_DIR).filePath(name + ".mdb");
}

TEST(SampleDatabases, holdAtLeast400RegularGlyphs)
{
    const SqliteReader db(programDatabase("murvel"));
    EXPECT_GE(db.value("SELECT count(*) FROM 檢字表 WHERE 編號 > 0").toInt(), 400);
}

TEST(SampleDatabases, strokeCountsFollowTheBig5OrderWithinEachLevel)
{
    // Big5 orders each level of hanzi by stroke count: the count never falls as the code
    // rises.
    const SqliteReader db(programDatabase("murvel"));
    QList<std::pair<quint16, QVariantList>> glyphs;
    for (const QVariantList &row :
         db.rows("SELECT 字形, 筆畫 FROM 檢字表 WHERE 筆畫 IS NOT NULL")) {
        const QString glyph = row[0].toString();
        const std::optional<quint16> code =
            glyph.size() == 1 ? codepage::big5Code(glyph[0]) : std::nullopt;
        if (code && codepage::isBig5Hanzi(glyph))
            glyphs.append({*code, row});
    }
    ASSERT_GE(glyphs.size(), 400);
    std::sort(glyphs.begin(), glyphs.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    const auto level = [](quint16 code) { return code < 0xC940 ? 1 : 2; };
    for (qsizetype i = 1; i < glyphs.size(); ++i) {
        const auto &[code, row] = glyphs[i];
        const auto &[previousCode, previous] = glyphs[i - 1];
        if (level(code) == level(previousCode)) {
            EXPECT_GE(row[1].toInt(), previous[1].toInt())
                << row[0].toString().toStdString() << " after "
                << previous[0].toString().toStdString();
        }
    }

    // A radical's own record agrees with the radical table.
    for (const QVariantList &row :
         db.rows("SELECT 檢字表.字形, 檢字表.筆畫, 康熙部首.筆畫 FROM 檢字表 JOIN 康熙部首"
                 " ON 檢字表.字形 = 康熙部首.字形 WHERE 檢字表.筆畫 IS NOT NULL")) {
        EXPECT_EQ(row[1].toInt(), row[2].toInt()) << row[0].toString().toStdString();
    }
}

TEST(SampleDatabases, transcodeOldCodesIntoFormulasThatMurvelFinds)
{
    const SqliteReader regular(programDatabase("murvel"));
    for (const char *unit : {"kavrot01", "kavrot02"}) {
        const SqliteReader reference(programDatabase(unit));
        const QList<QVariantList> entries = reference.rows("SELECT 舊形, 構字式 FROM 檢字表");
        EXPECT_FALSE(entries.isEmpty()) << unit;
        for (const QVariantList &entry : entries) {
            EXPECT_EQ(entry[0].toString().size(), 1);
            const FormulaKey key = FormulaKeyOf(entry[1].toString());
            const QList<QVariantList> found = regular.rows(
                QStringLiteral("SELECT 編號 FROM 檢字表 WHERE 連接符號 = %1 AND 部件序 = '%2'")
                    .arg(key.kind)
                    .arg(key.components));
            EXPECT_FALSE(found.isEmpty()) << unit << " " << entry[1].toString().toStdString();
        }
    }
}

// The basic fixture: what its sources describe, as the programs' tests rely on it.
class BasicFixture : public testing::Test
{
protected:
    SqliteReader murvel{QDir(MURVEL_FIXTURE_DIR).filePath("basic/murvel.mdb")};

    QVariant field(const QString &glyph, const QString &name) const
    {
        return murvel.value(
            QStringLiteral("SELECT \"%1\" FROM 檢字表 WHERE 字形 = '%2'").arg(name, glyph));
    }
};

TEST_F(BasicFixture, derivesNumbersAndCodes)
{
    EXPECT_EQ(field("一", "編號").toInt(), 1);
    EXPECT_EQ(field("一", "BIG5").toString(), "A440");
    EXPECT_EQ(field("一", "Unicode").toString(), "4E00");
    EXPECT_EQ(field("亻", "編號").toInt(), FirstNonBig5Number); // not in Big5
    EXPECT_FALSE(field("亻", "BIG5").isValid());
    EXPECT_EQ(field("明", "部首筆畫排序").toInt(), 7204);
}

TEST_F(BasicFixture, holdsAMissingCharacterAtAPrivateUseCode)
{
    const QList<QVariantList> missing =
        murvel.rows("SELECT 編號, 字碼, 字體, BIG5, Unicode FROM 檢字表 WHERE 字形 IS NULL");
    ASSERT_EQ(missing.size(), 1);
    EXPECT_EQ(missing[0][0].toInt(), FirstNonBig5Number + 1);
    EXPECT_EQ(missing[0][1].toString(), QString(QChar(0xE000)));
    EXPECT_EQ(missing[0][2].toInt(), 1);
    EXPECT_EQ(missing[0][3].toString(), "FA40");
    EXPECT_FALSE(missing[0][4].isValid());
}

TEST_F(BasicFixture, expandsPrefixBracketAndVariantFormulas)
{
    EXPECT_EQ(field("林", "連接符號").toInt(), 5);
    EXPECT_EQ(field("林", "部件序").toString(), QString(QChar(0xF6A7)) + "木");
    EXPECT_EQ(field("林", "字根序").toString(), "木木");
    EXPECT_EQ(field("品", "字根序").toString(), "口口口");
    EXPECT_EQ(field("森", "字根序").toString(), "木木木");
    EXPECT_EQ(field("晶", "連接符號").toInt(), 4);
    EXPECT_EQ(field("晶", "字根序").toString(), "日日日");
    EXPECT_EQ(field("休", "字根序").toString(), "亻木");
    EXPECT_EQ(field("休", "字根序二").toString(), "人木");
    EXPECT_EQ(field("休", "部件序二").toString(), "人木");
    EXPECT_EQ(field("休", "字根組").toString(), "木亻"); // 字根.編號 of 木 is 3, of 亻 8
}

TEST_F(BasicFixture, sharesOneComponentSequenceBetweenTwoKinds)
{
    const QList<QVariantList> rows =
        murvel.rows("SELECT 字形, 連接符號 FROM 檢字表 WHERE 部件序 = '口木' ORDER BY rowid");
    ASSERT_EQ(rows.size(), 2);
    EXPECT_NE(rows[0][1], rows[1][1]);
}

TEST_F(BasicFixture, countsTheGlyphsBuiltWithAComponent)
{
    // 木: 休 林 森 困 呆 and the missing character; 森 counts once though 木 is in it thrice.
    EXPECT_EQ(field("木", "組字字數").toInt(), 6);
    EXPECT_EQ(field("林", "組字字數").toInt(), 1); // 森
    EXPECT_EQ(field("人", "組字字數").toInt(), 0);
    EXPECT_EQ(field("人", "組字字數二").toInt(), 1); // 休, through the variant 亻
    EXPECT_EQ(field("木", "組字字數(Big5)").toInt(), 5);
    EXPECT_EQ(field("一", "組字字數").toInt(), 0); // a root does not build itself
}

TEST_F(BasicFixture, leavesATypefaceNumberWithoutARecord)
{
    EXPECT_EQ(murvel.value("SELECT count(*) FROM 字體 WHERE 編號 = 18").toInt(), 0);
}

TEST_F(BasicFixture, resolvesTheVariantGroupsAndTheBronzeSupplement)
{
    EXPECT_EQ(murvel.rows("SELECT 編號 FROM 異體字表 ORDER BY 形碼"),
              (QList<QVariantList>{{qlonglong(9)}, {qlonglong(FirstNonBig5Number)}}));
    const SqliteReader bronze(QDir(MURVEL_FIXTURE_DIR).filePath("basic/qelbronz.mdb"));
    EXPECT_EQ(bronze.value("SELECT 楷書編號 FROM 補遺"), field("好", "編號"));
    EXPECT_EQ(field("明", "金文").toString(), QString(QChar(0xE200)));
}

QString faultyDatabase(const QString &name)
{
    return QDir(MURVEL_FIXTURE_DIR).filePath("faulty/" + name + ".mdb");
}

TEST(FaultyFixture, breaksTheRulesThatStartUpMustSurvive)
{
    const SqliteReader murvel(faultyDatabase("murvel"));
    EXPECT_EQ(murvel.value("SELECT count(*) FROM 符號").toInt(), 12);
    EXPECT_EQ(murvel.value("SELECT count(*) FROM 字體 WHERE 編號 IN (-1, 25)").toInt(), 2);
    const SqliteReader chu(faultyDatabase("qelchu"));
    ASSERT_TRUE(chu.isOpen());
    EXPECT_FALSE(chu.tableNames().contains("異體字表"));
    EXPECT_TRUE(chu.tableNames().contains("檢字表"));
    for (const char *name : {"qelseal", "qelbronz", "qeljiagu"})
        EXPECT_TRUE(SqliteReader(faultyDatabase(name)).tableNames().contains("異體字表")) << name;
}

} // namespace

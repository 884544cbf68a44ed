#include "tests/vbprog/murvel/core/fixturedatabases.h"
#include "tests/vbprog/murvel/core/operatortable.h"
#include "vbprog/murvel/core/databaserootcatalog.h"
#include "vbprog/murvel/core/formula.h"
#include "vbprog/murvel/core/formulasearch.h"

#include <gtest/gtest.h>

namespace
{

const QString Side = OperatorSymbol(OperatorCodes::Beside);         // operator 1: side by side
const QString Above = OperatorSymbol(OperatorCodes::Above);         // operator 2: above and below
const QString Twice = OperatorSymbol(OperatorCodes::Twice);         // operator 5
const QString FourTimes = OperatorSymbol(OperatorCodes::FourTimes); // operator 9
const QString Open = OperatorSymbol(OperatorCodes::OpenBracket);
const QString Close = OperatorSymbol(OperatorCodes::CloseBracket);

using Form = TypedFormula::Form;

TypedFormula formula(qint16 kind, const QString &components)
{
    return {Form::Formula, {kind, components}};
}

void expectParsed(const QString &text, const TypedFormula &expected)
{
    const TypedFormula typed = ParseTypedFormula(text);
    EXPECT_EQ(typed.form, expected.form) << text.toStdString();
    EXPECT_EQ(typed.key.components, expected.key.components) << text.toStdString();
    if (expected.form == Form::Formula) {
        EXPECT_EQ(typed.key.kind, expected.key.kind) << text.toStdString();
    }
}

class ParseTypedFormulaTest : public ::testing::Test
{
protected:
    void SetUp() override { LoadStandardOperators(); }
};

TEST_F(ParseTypedFormulaTest, OneCharacterIsAGlyphWhateverTheBlanksAroundIt)
{
    expectParsed("  明 ", {Form::SingleGlyph, {.components = "明"}});
    expectParsed(" " + Side + " ", {Form::SingleGlyph, {.components = Side}});
    expectParsed(" 日" + Side + "月  ", formula(1, "日月"));
}

TEST_F(ParseTypedFormulaTest, AKeyLeftWithOneComponentAfterAnOperatorIsTooShort)
{
    expectParsed(Side + "A" + Side, {Form::TooShort, {.components = "A"}});
    expectParsed(Side + Side + "A", formula(1, "A")); // the last character is a component
    expectParsed("   ", {Form::TooShort, {.components = ""}});
}

TEST_F(ParseTypedFormulaTest, TwoCharactersAreKindFiveUnlessBothAreInfixOperators)
{
    expectParsed("AB", formula(5, "AB"));
    expectParsed(Twice + "A", formula(5, Twice + "A"));
    expectParsed(Side + "A", formula(5, Side + "A"));
    expectParsed(Side + Above, formula(2, Side + Above)); // the empty key falls back to the text
    expectParsed("ABC", formula(4, "ABC"));               // more characters keep the start kind
}

TEST_F(ParseTypedFormulaTest, TheLastInfixOperatorSetsTheKind)
{
    expectParsed("A" + Side + "B" + Above + "C", formula(2, "ABC"));
    expectParsed("A" + Side + Twice + "B", formula(1, "A" + Twice + "B"));
}

TEST_F(ParseTypedFormulaTest, ABracketTakesTheTextWithoutItsFirstAndLastCharacter)
{
    expectParsed(Open + "A" + Side + "B" + Close, formula(4, "A" + Side + "B"));
    expectParsed("A" + Open + "BC" + Close, formula(4, "A" + Open + "BC"));
    expectParsed(Open + Close, formula(4, Open + Close));
}

class FormulaSearchTest : public FixtureTest
{
protected:
    void SetUp() override { OpenFixture(SearchFixture); }

    qint32 search(const QString &text) { return FindGlyphByFormula(text, similar).number; }

    QString similar;
};

TEST_F(FormulaSearchTest, OneCharacterIsLookedUpByItsGlyph)
{
    EXPECT_EQ(search(" 明 "), RegularNumber("明"));
    const FormulaSearchResult miss = FindGlyphByFormula("乙", similar);
    EXPECT_EQ(miss.number, NoGlyphFound);
    EXPECT_FALSE(miss.glyphBoxText.has_value());
}

TEST_F(FormulaSearchTest, ATooShortKeyGivesZeroAndTheTextForTheGlyphBox)
{
    const FormulaSearchResult result = FindGlyphByFormula(Side + "木" + Side, similar);
    EXPECT_EQ(result.number, FormulaTooShort);
    EXPECT_EQ(result.glyphBoxText, "木");
}

TEST_F(FormulaSearchTest, EachLevelFindsTheGlyphsItIsMadeFor)
{
    const QString fourTimesSix = FourTimes + "品";
    const struct {
        QString typed;
        QString glyph; // 字形, or 字碼 of a missing character
    } cases[] = {
        // level 1: the formula itself
        {"日" + Side + "月", "明"},
        {Twice + "木", "林"},
        {Open + "日" + Above + Twice + "日" + Close, "晶"},
        // level 2: the roots in writing order; prefix operators repeat their roots
        {"日" + Above + "月", "明"},
        {QChar(0xF6A6) + QString("木"), "林"},
        {FourTimes + "木", QString(QChar(0xE001))},
        // a prefix operator whose component is not in the table adds nothing
        {Twice + "木" + Side + Twice + "乙", "林"},
        // level 3: variant roots replaced, in the typed roots as in the stored ones; a
        // root set of the same roots (level 4) belongs to another glyph
        {"人" + Side + "木", "休"},
        {"人" + Above + "亻", "从"},
        // level 4: the roots ordered by number, numbers beyond 16 bits and 32 roots included
        {"月" + Side + "日", "明"},
        {"一" + Side + "日", "旦"},
        {FourTimes + "林" + Side + fourTimesSix + Side + fourTimesSix, QString(QChar(0xE021))},
        // level 5: variant roots replaced in the ordered roots
        {"木" + Side + "人", "休"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        similar = "stale";
        EXPECT_EQ(search(c.typed), RegularNumber(c.glyph));
        EXPECT_EQ(similar, "");
    }
    EXPECT_EQ(search("乙" + Side + "乙"), NoGlyphFound);
}

TEST_F(FormulaSearchTest, TheWalkListsTheRecordsWithTheSameComponentsAsNearMatches)
{
    // Found by its roots at level 2 as 鮮; no record of kind 5 follows.
    EXPECT_EQ(search("魚羊"), RegularNumber("鮮"));
    EXPECT_EQ(similar, ",相似字形: [魚" + Above + "羊][" + Open + "魚羊" + Close + "][" + Open +
                           "魚羊" + Close + "]");
}

TEST_F(FormulaSearchTest, ARecordOfTheTypedKindMovesTheResultAndTheFirstLabelLeads)
{
    // Kind 4 (three characters); 乙 has no record, so the roots are 魚羊. The last record of
    // kind 4 wins; the walk ends at the end of the table.
    EXPECT_EQ(search("魚羊乙"), RegularNumber(QChar(0xE004)));
    EXPECT_EQ(similar, ",相似字形: 鮮[魚" + Above + "羊]");

    // At level 1 the walk follows the formula key itself.
    EXPECT_EQ(search(Open + "魚羊" + Close), RegularNumber(QChar(0xE004)));
    EXPECT_EQ(similar, ",相似字形: " + Open + "魚羊" + Close);
}

TEST_F(FormulaSearchTest, TheSimilarGlyphListBelongsToOneSearch)
{
    search("魚羊");
    ASSERT_FALSE(similar.isEmpty());
    EXPECT_EQ(search("乙" + Side + "乙"), NoGlyphFound);
    EXPECT_EQ(similar, "");

    search("魚羊");
    EXPECT_EQ(search("日" + Side + "月"), RegularNumber("明"));
    EXPECT_EQ(similar, "");

    for (const QString &text : {QString("乙"), Side + "木" + Side}) {
        search("魚羊");
        search(text);
        EXPECT_EQ(similar, "") << text.toStdString();
    }
}

TEST_F(FormulaSearchTest, SearchesTheRegularScriptWhereverTheWorkingHandlePointed)
{
    gRs檢字表 = gRs檢字表小篆;
    EXPECT_EQ(search("日" + Side + "月"), RegularNumber("明"));
    ASSERT_TRUE(gRs檢字表楷書.setIndex("字形"));
    ASSERT_TRUE(gRs檢字表楷書.seek(QString("木")));
    EXPECT_EQ(gRs檢字表.value("字形").toString(), "木"); // one cursor: the regular one
}

TEST_F(FormulaSearchTest, TheCatalogReadsTheOpenTables)
{
    const DatabaseRootCatalog catalog;
    EXPECT_EQ(catalog.rootNumber("十"), 70000);
    EXPECT_EQ(catalog.rootNumber("乙"), std::nullopt);
    EXPECT_EQ(SortComponentsByNumber(catalog, "十一口"), "口一十"); // 40000 and 70000 unnarrowed
    EXPECT_EQ(catalog.variantOf("亻"), "人");
    EXPECT_EQ(catalog.variantOf("人"), std::nullopt);

    const QList<RootCatalog::Record> records = catalog.recordsOf("林");
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].face, 0);
    EXPECT_EQ(records[0].kind, 5);
    EXPECT_EQ(records[0].rootSequence, "木木");
    EXPECT_FALSE(catalog.failed());
}

TEST_F(FormulaSearchTest, TheCatalogLeavesTheCurrentRecordWhereItWas)
{
    gRs檢字表 = gRs檢字表楷書;
    ASSERT_TRUE(gRs檢字表.setIndex("字形"));
    ASSERT_TRUE(gRs檢字表.seek(QString("明")));
    const DatabaseRootCatalog catalog;
    EXPECT_EQ(catalog.recordsOf("木").size(), 1);
    EXPECT_EQ(catalog.recordsOf("乙").size(), 0);
    EXPECT_EQ(gRs檢字表.value("字形").toString(), "明");
}

class EditedSearchDataTest : public FixtureTest
{
protected:
    FixtureCopy copy{SearchFixture};
    QString similar;
};

TEST_F(EditedSearchDataTest, RootExpansionOnACycleEnds)
{
    // 口 made a composition of itself and 木.
    copy.execute("murvel", "UPDATE 檢字表 SET 連接符號 = 1, 字根序 = '口木' WHERE 字形 = '口'");
    OpenFixture(copy.folder());
    EXPECT_EQ(FindGlyphByFormula("口" + Side + "日", similar).number, NoGlyphFound);
    EXPECT_EQ(FindGlyphByFormula("日" + Side + "月", similar).number, RegularNumber("明"));
}

TEST_F(EditedSearchDataTest, ANullWhereTheSearchNeedsTextEndsItWithTheResultItHolds)
{
    // Expanding 明 needs its roots: without them the search ends before a match, rather than
    // finding the root 日 by what is left of the formula.
    copy.execute("murvel", "UPDATE 檢字表 SET 字根序 = NULL WHERE 字形 = '明'");
    copy.execute("murvel",
                 QString("UPDATE 檢字表 SET 部件序 = NULL WHERE 字碼 = '%1'").arg(QChar(0xE002)));
    OpenFixture(copy.folder());
    EXPECT_EQ(FindGlyphByFormula("明" + Side + "日", similar).number, NoGlyphFound);

    // A record without 部件序 ends the walk after a match: the result is the match.
    EXPECT_EQ(FindGlyphByFormula("魚羊", similar).number, RegularNumber("鮮"));
    EXPECT_EQ(similar, "");
}

TEST_F(EditedSearchDataTest, RecordsTheSearchDoesNotReadMayLackTheirRoots)
{
    // A composed 日 of another typeface without roots: the root sequence reads only 字體 0.
    copy.execute("murvel", "INSERT INTO 檢字表 (編號, 字形, 字體, 連接符號, 部件序) "
                           "VALUES (99001, '日', 3, 1, '口一')");
    OpenFixture(copy.folder());
    EXPECT_EQ(FindGlyphByFormula("日" + Above + "月", similar).number, RegularNumber("明"));
}

TEST_F(EditedSearchDataTest, ACycleTypedManyTimesEndsWithinOneCap)
{
    // 口 and 日 made of each other, many times over: each typed 口 would expand to 4096
    // roots, and twenty of them to a sequence that the sort takes seconds over.
    copy.execute("murvel",
                 QString("UPDATE 檢字表 SET 連接符號 = 1, 字根序 = '%1' WHERE 字形 = '口'")
                     .arg(QString("日").repeated(64)));
    copy.execute("murvel",
                 QString("UPDATE 檢字表 SET 連接符號 = 1, 字根序 = '%1' WHERE 字形 = '日'")
                     .arg(QString("口").repeated(64)));
    OpenFixture(copy.folder());
    const DatabaseRootCatalog catalog;
    const std::optional<QString> roots = BuildRootSequence(catalog, QString("口").repeated(20));
    ASSERT_TRUE(roots);
    EXPECT_EQ(roots->size(), MaxRootSequenceLength);
    EXPECT_EQ(FindGlyphByFormula(QString("口").repeated(20), similar).number, NoGlyphFound);
}

TEST_F(EditedSearchDataTest, AMissingIndexEndsTheSearchInsteadOfSeekingAnother)
{
    copy.execute("murvel", "DROP INDEX \"檢字表.字根序\"");
    OpenFixture(copy.folder());
    EXPECT_EQ(FindGlyphByFormula("日" + Above + "月", similar).number, NoGlyphFound);
}

} // namespace

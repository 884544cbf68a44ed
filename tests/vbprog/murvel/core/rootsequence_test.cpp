#include "tests/vbprog/murvel/core/operatortable.h"
#include "vbprog/murvel/core/formula.h"
#include "vbprog/murvel/core/rootsequence.h"

#include <QHash>
#include <gtest/gtest.h>

namespace
{

const QString H = OperatorSymbol(OperatorCodes::Beside);
const QString Twice = OperatorSymbol(OperatorCodes::Twice);    // operator 5
const QString Thrice = OperatorSymbol(OperatorCodes::Thrice);  // operator 6
const QString Four = OperatorSymbol(OperatorCodes::FourTimes); // operator 9

// An in-memory 檢字表, 異寫字根 and 字根.
class FakeCatalog : public RootCatalog
{
public:
    void add(const QString &glyph, Record record) { m_records[glyph].append(record); }
    void root(const QString &glyph, qint32 number)
    {
        add(glyph, {0, 0, glyph});
        m_numbers[glyph] = number;
    }
    void variant(const QString &root, const QString &standard) { m_variants[root] = standard; }

    QList<Record> recordsOf(const QString &glyph) const override
    {
        ++lookups;
        return m_records.value(glyph);
    }
    std::optional<QString> variantOf(const QString &root) const override
    {
        auto it = m_variants.find(root);
        return it == m_variants.end() ? std::nullopt : std::optional<QString>(*it);
    }
    std::optional<qint32> rootNumber(const QString &root) const override
    {
        auto it = m_numbers.find(root);
        return it == m_numbers.end() ? std::nullopt : std::optional<qint32>(*it);
    }

    mutable qsizetype lookups = 0;

private:
    QHash<QString, QList<Record>> m_records;
    QHash<QString, QString> m_variants;
    QHash<QString, qint32> m_numbers;
};

class RootSequenceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LoadStandardOperators();
        catalog.root("十", 2);
        catalog.root("口", 3);
        catalog.root("月", 4);
        catalog.root("氵", 1);
        catalog.root("水", 5);
        catalog.root("木", 6);
        catalog.add("古", {0, 2, "十口"});
        catalog.add("胡", {0, 1, "十口月"});
        catalog.add("湖", {0, 1, "氵十口月"});
        catalog.variant("氵", "水");
    }
    FakeCatalog catalog;
};

TEST_F(RootSequenceTest, ExpandsNestedComponentsToRoots)
{
    EXPECT_EQ(ExpandRootSequence(catalog, "氵胡"), "氵十口月");
    EXPECT_EQ(BuildRootSequence(catalog, "氵胡"), "氵十口月");
    EXPECT_EQ(BuildRootSequence(catalog, "古月"), "十口月");
}

TEST_F(RootSequenceTest, UnknownComponentsAddNothing)
{
    EXPECT_EQ(BuildRootSequence(catalog, "古X月"), "十口月");
    EXPECT_EQ(ExpandRootSequence(catalog, "X"), QString());
}

TEST_F(RootSequenceTest, PrefixOperatorsRepeatTheirComponent)
{
    EXPECT_EQ(BuildRootSequence(catalog, Twice + "木"), "木木");
    EXPECT_EQ(BuildRootSequence(catalog, Thrice + "木"), "木木木");
    EXPECT_EQ(BuildRootSequence(catalog, Four + "口"), "口口口口");
    EXPECT_EQ(BuildRootSequence(catalog, Twice + "古"), "十口十口");
}

TEST_F(RootSequenceTest, APrefixOperatorWithAnUnknownOrMissingComponentAddsNothing)
{
    EXPECT_EQ(BuildRootSequence(catalog, Twice + "木" + Twice + "X"), "木木");
    EXPECT_EQ(BuildRootSequence(catalog, "木" + Twice), "木");
}

TEST_F(RootSequenceTest, OnlyRecordsOfTheDefaultFaceContribute)
{
    catalog.add("田", {std::nullopt, 0, "田"});
    catalog.add("石", {3, 0, "石"});
    EXPECT_EQ(BuildRootSequence(catalog, "田石口"), "口");
}

TEST_F(RootSequenceTest, EveryRecordOfARepeatedGlyphContributes)
{
    catalog.add("口", {0, 0, "口"});
    EXPECT_EQ(BuildRootSequence(catalog, "口"), "口口");
}

TEST_F(RootSequenceTest, SymbolsAreNeverExpanded)
{
    catalog.add("X", {0, 9, "古"});
    EXPECT_EQ(ExpandRootSequence(catalog, "X"), "古");
}

TEST_F(RootSequenceTest, CyclicDataEnds)
{
    catalog.add("甲", {0, 1, "乙"});
    catalog.add("乙", {0, 1, "甲"});
    EXPECT_EQ(ExpandRootSequence(catalog, "甲"), "乙"); // 甲 met again gives its stored roots
}

TEST_F(RootSequenceTest, ABranchingCycleEndsWithoutBlowingUp)
{
    // Each expansion of 甲 would double it; the path check stops at the first repeat.
    catalog.add("甲", {0, 1, "甲甲"});
    EXPECT_EQ(ExpandRootSequence(catalog, "甲"), "甲甲甲甲");
}

TEST_F(RootSequenceTest, DeepBranchingDataIsCappedInLength)
{
    // A chain of 30 glyphs, each made of the next twice: 2^30 roots without a cap.
    const QString glyphs = "甲乙丙丁戊己庚辛壬癸子丑寅卯辰巳午未申酉戌亥天地玄黃宇宙洪荒";
    for (qsizetype i = 0; i + 1 < glyphs.size(); ++i)
        catalog.add(QString(glyphs[i]), {0, 1, QString(glyphs[i + 1]).repeated(2)});
    catalog.root(QString(glyphs.back()), 9);
    EXPECT_EQ(ExpandRootSequence(catalog, "甲")->size(), MaxRootSequenceLength);
}

TEST_F(RootSequenceTest, ACycleTypedManyTimesSharesOneCap)
{
    // Each 甲 expands to 64 × 64 roots: the cap holds for the whole key, not per component.
    catalog.add("甲", {0, 1, QString("乙").repeated(64)});
    catalog.add("乙", {0, 1, QString("甲").repeated(64)});
    const std::optional<QString> roots = BuildRootSequence(catalog, QString("甲").repeated(20));
    ASSERT_TRUE(roots);
    EXPECT_EQ(roots->size(), MaxRootSequenceLength);
    EXPECT_EQ(BuildRootSequence(catalog, Four + "甲")->size(), MaxRootSequenceLength);
}

TEST_F(RootSequenceTest, BranchingDataWithoutRootsIsCappedInLookups)
{
    // A chain of 18 glyphs, each made of the next twice, ending in a glyph the table lacks:
    // no roots at all, but 2^18 lookups without a cap on them.
    const QString glyphs = "甲乙丙丁戊己庚辛壬癸子丑寅卯辰巳午未";
    for (qsizetype i = 0; i + 1 < glyphs.size(); ++i)
        catalog.add(QString(glyphs[i]), {0, 1, QString(glyphs[i + 1]).repeated(2)});
    catalog.add(QString(glyphs.back()), {0, 1, "XX"});
    EXPECT_EQ(BuildRootSequence(catalog, "甲甲"), QString());
    EXPECT_LE(catalog.lookups, MaxRootLookups);
}

TEST_F(RootSequenceTest, OnlyTheRecordsTheRulesUseMayLackTheirRoots)
{
    catalog.add("林", {0, 5, "木木"});
    catalog.add("林", {3, 5, std::nullopt}); // another typeface: never read
    catalog.add("古", {0, 1, std::nullopt}); // second record of 古: expansion reads the first
    EXPECT_EQ(BuildRootSequence(catalog, "林"), "木木");
    EXPECT_EQ(ExpandRootSequence(catalog, "古林"), "十口木木");
    EXPECT_EQ(BuildRootSequence(catalog, Twice + "古"), "十口十口");

    catalog.add("明", {0, 1, std::nullopt});
    EXPECT_EQ(BuildRootSequence(catalog, "林明"), std::nullopt);
    EXPECT_EQ(ExpandRootSequence(catalog, "明"), std::nullopt);
}

TEST_F(RootSequenceTest, VariantRootsAreReplaced)
{
    EXPECT_EQ(ReplaceVariantRoots(catalog, "氵十口月"), "水十口月");
}

TEST_F(RootSequenceTest, SortOrdersByRootNumberWithMissingRootsFirst)
{
    EXPECT_EQ(SortComponentsByNumber(catalog, "月口十氵"), "氵十口月");
    EXPECT_EQ(SortComponentsByNumber(catalog, "月X口"), "X口月");
    EXPECT_EQ(SortComponentsByNumber(catalog, QString()), QString());
}

TEST_F(RootSequenceTest, SortIsTheExchangeSortNotAStableSort)
{
    // 2a 2b 1: the first pass swaps 1 with 2a, leaving 2b before 2a.
    catalog.root("甲", 2);
    catalog.root("乙", 2);
    catalog.root("丙", 1);
    EXPECT_EQ(SortComponentsByNumber(catalog, "甲乙丙"), "丙乙甲");
}

TEST_F(RootSequenceTest, SortNeverSwapsEqualNumbers)
{
    catalog.root("甲", 2);
    catalog.root("乙", 2);
    EXPECT_EQ(SortComponentsByNumber(catalog, "甲乙"), "甲乙");
    EXPECT_EQ(SortComponentsByNumber(catalog, "乙甲"), "乙甲");
    EXPECT_EQ(SortComponentsByNumber(catalog, "XY"), "XY"); // both missing from 字根
}

TEST_F(RootSequenceTest, SortTakesEveryRootOfALongSequence)
{
    const QString roots = QString("月口十").repeated(20);
    const QString sorted = SortComponentsByNumber(catalog, roots);
    EXPECT_EQ(sorted,
              QString("十").repeated(20) + QString("口").repeated(20) + QString("月").repeated(20));
}

TEST_F(RootSequenceTest, SortTakesAtMostTheCappedLength)
{
    const QString roots = QString("月口").repeated(MaxRootSequenceLength);
    const QString sorted = SortComponentsByNumber(catalog, roots);
    EXPECT_EQ(sorted, QString("口").repeated(MaxRootSequenceLength / 2) +
                          QString("月").repeated(MaxRootSequenceLength / 2));
}

TEST_F(RootSequenceTest, SortKeepsNumbersBeyondSixteenBits)
{
    catalog.root("甲", 70000);
    catalog.root("乙", 40000);
    EXPECT_EQ(SortComponentsByNumber(catalog, "甲乙口"), "口乙甲");
}

} // namespace

#include "vbprog/murvel/views/derivationquery.h"

#include <QHash>
#include <gtest/gtest.h>

namespace
{

const QString Twice = QStringLiteral("\uF6A7");
const QString Thrice = QStringLiteral("\uF6A9");

// Tables held in memory: the sequences of each glyph by column, root numbers, variants.
class FakeTables : public DerivationTables
{
public:
    std::optional<QString> sequenceOf(const QString &glyph, const QString &column) const override
    {
        const auto found = sequences.find(glyph + u'|' + column);
        return found == sequences.end() ? std::nullopt : std::optional<QString>(*found);
    }
    std::optional<qint32> rootNumber(const QString &root) const override
    {
        const auto found = numbers.find(root);
        return found == numbers.end() ? std::nullopt : std::optional<qint32>(*found);
    }
    std::optional<QString> variantOf(const QString &root) const override
    {
        const auto found = variants.find(root);
        return found == variants.end() ? std::nullopt : std::optional<QString>(*found);
    }

    void setSequence(const QString &glyph, const QString &column, const QString &value)
    {
        sequences.insert(glyph + u'|' + column, value);
    }

    QHash<QString, QString> sequences;
    QHash<QString, qint32> numbers;
    QHash<QString, QString> variants;
};

DerivationOptions Marked(bool stepwise, bool inputOrder, bool variantRoots, bool sqlLike)
{
    return {stepwise, inputOrder, variantRoots, sqlLike};
}

TEST(DerivationInput, ARepeatingOperatorRepeatsItsComponentByItsGroup)
{
    EXPECT_EQ(ExpandRepetitionInput(QStringLiteral("\uF6A6口")), QStringLiteral("口口"));
    EXPECT_EQ(ExpandRepetitionInput(Twice + QStringLiteral("口")), QStringLiteral("口口"));
    for (const char16_t op : {u'\uF6A8', u'\uF6A9', u'\uF6AA'})
        EXPECT_EQ(ExpandRepetitionInput(QChar(op) + QStringLiteral("木")),
                  QStringLiteral("木木木"));
    for (const char16_t op : {u'\uF6AB', u'\uF6AC', u'\uF6AD'})
        EXPECT_EQ(ExpandRepetitionInput(QChar(op) + QStringLiteral("口")),
                  QStringLiteral("口口口口"));

    // Only a repeating operator, and only with exactly one component after it.
    EXPECT_EQ(ExpandRepetitionInput(QStringLiteral("\uF6A5木")), QStringLiteral("\uF6A5木"));
    EXPECT_EQ(ExpandRepetitionInput(QStringLiteral("\uF6AE木")), QStringLiteral("\uF6AE木"));
    EXPECT_EQ(ExpandRepetitionInput(Twice + QStringLiteral("木口")),
              Twice + QStringLiteral("木口"));
    EXPECT_EQ(ExpandRepetitionInput(QStringLiteral("日月")), QStringLiteral("日月"));
}

TEST(DerivationColumn, TheSqlMarkChoosesRootSequencesWhateverElseIsMarked)
{
    FakeTables tables;
    for (const QString &text : {QStringLiteral("木"), QStringLiteral("日月")}) {
        EXPECT_EQ(
            PrepareDerivationSearch(text, Marked(true, false, true, true), "楷書", tables, tables)
                .column,
            QStringLiteral("字根序二"));
        EXPECT_EQ(
            PrepareDerivationSearch(text, Marked(true, true, false, true), "楷書", tables, tables)
                .column,
            QStringLiteral("字根序"));
    }
}

TEST(DerivationColumn, VariantRootsInTheRegularScript)
{
    FakeTables tables;
    tables.variants.insert("亻", "人");
    const DerivationTerms single =
        PrepareDerivationSearch("亻", Marked(true, false, true, false), "楷書", tables, tables);
    EXPECT_EQ(single.text, QStringLiteral("人")); // the key root of the variant
    EXPECT_EQ(single.column, QStringLiteral("部件序二"));
    EXPECT_EQ(
        PrepareDerivationSearch("木", Marked(false, false, true, false), "楷書", tables, tables)
            .column,
        QStringLiteral("字根序二"));
    EXPECT_EQ(
        PrepareDerivationSearch("日月", Marked(true, true, true, false), "楷書", tables, tables)
            .column,
        QStringLiteral("字根序二"));
    const DerivationTerms several =
        PrepareDerivationSearch("亻木", Marked(true, false, true, false), "楷書", tables, tables);
    EXPECT_EQ(several.column, QStringLiteral("字根組二"));
    EXPECT_EQ(several.text, QStringLiteral("亻木")); // only a single component is mapped
}

TEST(DerivationColumn, WithoutVariantRoots)
{
    FakeTables tables;
    tables.variants.insert("亻", "人");
    const auto column = [&](const QString &text, DerivationOptions options) {
        return PrepareDerivationSearch(text, options, "楷書", tables, tables).column;
    };
    EXPECT_EQ(column("木", Marked(true, false, false, false)), QStringLiteral("部件序"));
    EXPECT_EQ(column("木", Marked(false, false, false, false)), QStringLiteral("字根序"));
    EXPECT_EQ(column("日月", Marked(true, true, false, false)), QStringLiteral("字根序"));
    EXPECT_EQ(column("日月", Marked(true, false, false, false)), QStringLiteral("字根組"));
    EXPECT_EQ(
        PrepareDerivationSearch("亻", Marked(true, false, false, false), "楷書", tables, tables)
            .text,
        QStringLiteral("亻"));
    // A repetition is searched as the components it stands for.
    const DerivationTerms repeated = PrepareDerivationSearch(
        Thrice + QStringLiteral("口"), Marked(true, false, false, false), "楷書", tables, tables);
    EXPECT_EQ(repeated.text, QStringLiteral("口口口"));
    EXPECT_EQ(repeated.column, QStringLiteral("字根組"));
}

TEST(DerivationColumn, AncientScriptsSearchPlainColumnsInTheirOwnForms)
{
    FakeTables regular;
    regular.variants.insert("亻", "儿");
    FakeTables seal;
    seal.variants.insert("亻", "人曰"); // only the first character replaces
    seal.variants.insert("木", "");     // an empty variant replaces nothing

    const DerivationTerms sql =
        PrepareDerivationSearch("亻*木", Marked(false, false, true, true), "小篆", regular, seal);
    EXPECT_EQ(sql.column, QStringLiteral("字根序"));
    EXPECT_EQ(sql.text, QStringLiteral("人*木"));

    // The regular-script variant branch is not taken in another script.
    const DerivationTerms stepwise =
        PrepareDerivationSearch("亻", Marked(true, false, true, false), "金文", regular, seal);
    EXPECT_EQ(stepwise.column, QStringLiteral("部件序"));
    EXPECT_EQ(stepwise.text, QStringLiteral("人"));
    EXPECT_EQ(PrepareDerivationSearch("日月", Marked(false, false, false, false), "楚系文字",
                                      regular, seal)
                  .column,
              QStringLiteral("字根組"));
}

TEST(DerivationColumn, OpeningAnItemIgnoresTheSqlAndOrderMarks)
{
    FakeTables regular;
    regular.variants.insert("亻", "人");
    const auto terms = [&](const QString &text, DerivationOptions options, const QString &script) {
        return PrepareDerivationExpansion(text, options, script, regular);
    };
    EXPECT_EQ(terms("亻", Marked(true, true, true, true), "楷書").text, QStringLiteral("人"));
    EXPECT_EQ(terms("亻", Marked(true, true, true, true), "楷書").column,
              QStringLiteral("部件序二"));
    EXPECT_EQ(terms("林", Marked(false, true, true, true), "楷書").column,
              QStringLiteral("字根序二"));
    EXPECT_EQ(terms("日月", Marked(true, true, true, false), "楷書").column,
              QStringLiteral("字根組二"));
    EXPECT_EQ(terms("林", Marked(true, false, false, true), "楷書").column,
              QStringLiteral("部件序"));
    EXPECT_EQ(terms("林", Marked(false, true, false, false), "楷書").column,
              QStringLiteral("字根序"));
    EXPECT_EQ(terms("日月", Marked(false, true, false, false), "楷書").column,
              QStringLiteral("字根組"));
    // The script of the search keeps the plain columns.
    EXPECT_EQ(terms("林", Marked(true, false, true, false), "小篆").column,
              QStringLiteral("部件序"));
    EXPECT_EQ(terms("日月", Marked(true, false, true, false), "甲骨文").column,
              QStringLiteral("字根組"));
}

TEST(DerivationPattern, AComponentSequenceHoldsTheTypedTextLiterally)
{
    FakeTables tables;
    EXPECT_EQ(建構組字式("木", "部件序", false, tables), QStringLiteral("*木*"));
    EXPECT_EQ(建構組字式("木", "部件序二", true, tables), QStringLiteral("*木*"));
    // Wildcards and brackets typed into the box are searched as characters.
    EXPECT_EQ(建構組字式("[", "部件序", false, tables), QStringLiteral("*[[]*"));
    EXPECT_EQ(建構組字式("?", "部件序", false, tables), QStringLiteral("*[?]*"));
    EXPECT_EQ(建構組字式("#", "部件序", false, tables), QStringLiteral("*[#]*"));
    EXPECT_EQ(建構組字式("'", "部件序", false, tables), QStringLiteral("*'*"));
}

TEST(DerivationPattern, RootSequencesInTypedOrder)
{
    FakeTables tables;
    tables.setSequence("明", "字根序", "日月");
    tables.setSequence("林", "字根序", "木木");
    tables.setSequence("林", "字根序二", "木X");
    tables.setSequence("空", "字根序", QString()); // a record whose sequence is Null

    EXPECT_EQ(建構組字式("明林", "字根序", false, tables), QStringLiteral("*日月*木木*"));
    EXPECT_EQ(建構組字式("林", "字根序二", false, tables), QStringLiteral("*木X*"));
    // Characters found nowhere add only their separator.
    EXPECT_EQ(建構組字式("甲明", "字根序", false, tables), QStringLiteral("**日月*"));
    EXPECT_EQ(建構組字式("甲乙", "字根序", false, tables), QStringLiteral("***"));
    EXPECT_EQ(建構組字式("空", "字根序", false, tables), QStringLiteral("**"));

    // With SQL the runs and the typed wildcards are joined as they stand.
    EXPECT_EQ(建構組字式("明*林", "字根序", true, tables), QStringLiteral("日月*木木"));
    EXPECT_EQ(建構組字式("[明]", "字根序", true, tables), QStringLiteral("[日月]"));
    EXPECT_EQ(建構組字式("明甲?", "字根序", true, tables), QStringLiteral("日月?"));
}

TEST(DerivationPattern, RootSetsListTheRootsByTheirNumbers)
{
    FakeTables tables;
    tables.setSequence("明", "字根組", "日月");
    tables.setSequence("杲", "字根組", "木日");
    tables.setSequence("倝", "字根組二", "十日人");
    tables.numbers = {{"一", 1}, {"十", 2}, {"木", 3}, {"日", 4}, {"月", 5}, {"人", 7}};

    // A root of both characters comes twice.
    EXPECT_EQ(建構組字式("明杲", "字根組", false, tables), QStringLiteral("*木*日*日*月*"));
    EXPECT_EQ(建構組字式("杲明", "字根組", false, tables), QStringLiteral("*木*日*日*月*"));
    // A root missing from 字根 comes first.
    tables.setSequence("乙", "字根組", "乙");
    EXPECT_EQ(建構組字式("杲乙", "字根組", false, tables), QStringLiteral("*乙*木*日*"));
    EXPECT_EQ(建構組字式("倝", "字根組二", false, tables), QStringLiteral("*十*日*人*"));
    EXPECT_EQ(建構組字式("甲", "字根組", false, tables), QStringLiteral("*"));
}

TEST(DerivationPattern, PatternsThatMatchEverythingRunNoQuery)
{
    EXPECT_TRUE(IsUselessPattern(QString()));
    EXPECT_TRUE(IsUselessPattern("*"));
    EXPECT_TRUE(IsUselessPattern("**"));
    EXPECT_FALSE(IsUselessPattern("***")); // two characters missing under 字根序
    EXPECT_FALSE(IsUselessPattern("*木*"));
}

TEST(DerivationSql, AComponentSearchAlsoReturnsTheRootGlyph)
{
    DerivationQuery query{.column = "部件序",
                          .pattern = "*木*",
                          .rootText = "木",
                          .set = CharacterSet::All,
                          .stepwiseSetting = true,
                          .regularScript = true};
    EXPECT_EQ(BuildDerivationSql(query),
              QStringLiteral("SELECT * From 檢字表 Where (字形='木') or (  ( 組字字數 > 0 ) And "
                             "部件序 Like '*木*')  ORDER BY 部首筆畫排序,組字字數 DESC "));

    query.stepwiseSetting = false;
    EXPECT_EQ(BuildDerivationSql(query),
              QStringLiteral("SELECT * From 檢字表 Where (字形='木') or (  (  編號 > 0 )  And "
                             "部件序 Like '*木*')  ORDER BY 部首筆畫排序,組字字數 DESC "));

    query.stepwiseSetting = true;
    query.column = "部件序二";
    query.set = CharacterSet::Common;
    query.regularScript = false;
    EXPECT_EQ(BuildDerivationSql(query),
              QStringLiteral("SELECT * From 檢字表 Where (字形='木') or (  ( [組字字數(常用字)] > "
                             "0 ) And 部件序二 Like '*木*')  ORDER BY 編號,組字字數 DESC "));
}

TEST(DerivationSql, ARootSearchFiltersByTheSetOnly)
{
    DerivationQuery query{.column = "字根組",
                          .pattern = "*日*月*",
                          .rootText = "日月",
                          .set = CharacterSet::All,
                          .stepwiseSetting = true, // applies to component columns only
                          .regularScript = true};
    EXPECT_EQ(BuildDerivationSql(query),
              QStringLiteral("SELECT * From 檢字表 Where 編號>0 and  (  編號 > 0 )  and 字根組 "
                             "Like '*日*月*'  ORDER BY 部首筆畫排序,組字字數 DESC "));

    query.set = CharacterSet::Big5;
    query.regularScript = false;
    EXPECT_EQ(BuildDerivationSql(query),
              QStringLiteral("SELECT * From 檢字表 Where 編號>0 and  (  編號 > 0 and 編號 <= 13053 "
                             ")  and 字根組 Like '*日*月*'  ORDER BY 編號,組字字數 DESC "));
    query.set = CharacterSet::Simplified;
    EXPECT_TRUE(BuildDerivationSql(query).contains(u" (  簡化字 > 0 ) "));
    query.set = CharacterSet::HanyuDazidian;
    EXPECT_TRUE(BuildDerivationSql(query).contains(u" (  漢語大字典 > 0 ) "));
}

TEST(DerivationSql, QuotesInTheTypedTextStayInsideTheirLiterals)
{
    const DerivationQuery query{.column = "部件序",
                                .pattern = "*'*",
                                .rootText = "'",
                                .set = CharacterSet::All,
                                .stepwiseSetting = true,
                                .regularScript = true};
    EXPECT_EQ(BuildDerivationSql(query),
              QStringLiteral("SELECT * From 檢字表 Where (字形='''') or (  ( 組字字數 > 0 ) And "
                             "部件序 Like '*''*')  ORDER BY 部首筆畫排序,組字字數 DESC "));
}

TEST(DerivationSql, EachSetCountsInItsOwnField)
{
    EXPECT_EQ(CountField(CharacterSet::All), QStringLiteral("組字字數"));
    EXPECT_EQ(CountField(CharacterSet::Common), QStringLiteral("組字字數(常用字)"));
    EXPECT_EQ(CountField(CharacterSet::Big5), QStringLiteral("組字字數(Big5)"));
    EXPECT_EQ(CountField(CharacterSet::Simplified), QStringLiteral("組字字數(簡化字)"));
    EXPECT_EQ(CountField(CharacterSet::HanyuDazidian), QStringLiteral("組字字數(漢語大字典)"));
}

} // namespace

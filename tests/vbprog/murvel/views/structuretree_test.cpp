#include "tests/support/printqstring.h"
#include "vbprog/murvel/core/formula.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/views/rolemarks.h"
#include "vbprog/murvel/views/structuretree.h"

#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const StructureItem &item, std::ostream *out)
{
    *out << "{" << item.text.toStdString() << " face " << item.face.toStdString() << " picture "
         << int(item.picture) << " data " << item.data << " flag " << item.flag << " mark "
         << item.mark << (item.placeholder ? " placeholder}" : "}");
}

namespace
{

const QString Seal = QStringLiteral("北師大說文小篆");
const QString SealVariant = QStringLiteral("北師大說文重文");
const QString Bronze = QStringLiteral("Ombrel金文");
const QString Unshowable = QStringLiteral("\uF6B0");
const QString Twice = OperatorSymbol(OperatorCodes::Twice);
const QString Thrice = OperatorSymbol(OperatorCodes::Thrice);
const QString FourTimes = OperatorSymbol(OperatorCodes::FourTimes);

// A script table in memory: rows in the order of index 字形 for rows of one 字形.
class MemoryRecords : public StructureRecords
{
public:
    // Rows never move, so that a test may keep a reference to one it added.
    explicit MemoryRecords(StructureScript script) : m_script(script) { rows.reserve(64); }

    StructureScript script() const override { return m_script; }
    std::optional<GlyphRecord> withNumber(qint32 number) override
    {
        for (const GlyphRecord &row : rows) {
            if (row.number == number)
                return row;
        }
        return std::nullopt;
    }
    QList<GlyphRecord> withGlyph(const QString &glyph) override
    {
        QList<GlyphRecord> found;
        for (const GlyphRecord &row : rows) {
            if (row.glyph == glyph)
                found << row;
        }
        return found;
    }

    // A record of a glyph; returns it for the test to adjust.
    GlyphRecord &add(qint32 number, const QString &glyph, int kind = 0,
                     const QString &components = {})
    {
        GlyphRecord row;
        row.number = number;
        row.glyph = glyph;
        row.face = m_script == StructureScript::Regular     ? 0
                   : m_script == StructureScript::SmallSeal ? 13
                                                            : 15;
        row.kind = kind;
        row.components = components.isEmpty() && kind == 0 ? glyph : components;
        rows << row;
        return rows.last();
    }
    // An ancient record analysed as `analysis`.
    GlyphRecord &analysed(qint32 number, const QString &glyph, const QString &analysis)
    {
        GlyphRecord &row = add(number, glyph, analysis.size() > 1 ? 5 : 0);
        row.analysis = analysis;
        return row;
    }

    QList<GlyphRecord> rows;

private:
    StructureScript m_script;
};

class StructureTreeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // 1..3 U+F6A4, U+F6A3, U+F6A5; 4..14 U+F6A6..U+F6B0, as table 符號 gives them.
        const char16_t infix[] = {0xF6A4, 0xF6A3, 0xF6A5};
        for (int n = 1; n <= 3; ++n)
            gOperatorSymbols.setSymbol(n, QString(QChar(infix[n - 1])));
        for (int n = 4; n <= OperatorNumbers::Count; ++n)
            gOperatorSymbols.setSymbol(n, QString(QChar(char16_t(0xF6A6 + n - 4))));
        gBaseFontName = "標楷體";
        gDefaultFace = "標楷體";
        options.faceNames[0] = "標楷體";
        options.faceNames[1] = "標楷體外字集一";
        options.faceNames[13] = Seal;
        options.faceNames[14] = SealVariant;
        options.faceNames[15] = Bronze;
    }
    void TearDown() override { gBaseFontName = "標楷體"; }

    QList<StructureItem> children(MemoryRecords &records, const GlyphRecord &of,
                                  const QString &face)
    {
        return BuildStructureChildren(records, *of.number, *of.glyph, face, options);
    }
    static QStringList texts(const QList<StructureItem> &items)
    {
        QStringList list;
        for (const StructureItem &item : items)
            list << item.text;
        return list;
    }
    static QList<int> marks(const QList<StructureItem> &items)
    {
        QList<int> list;
        for (const StructureItem &item : items)
            list << item.mark;
        return list;
    }

    StructureOptions options;
};

struct RoleCase {
    const char16_t *letters; // what follows the component "木"
    int operatorIndex;
    int mark;
    int consumed;
};

TEST(MarkComponentRoleTest, ReadsEveryRoleLetterWithoutRegardToCase)
{
    const RoleCase cases[] = {
        {u"V", 0, 7, 1},   {u"v", 0, 7, 1},    {u"GV", 0, 15, 2}, {u"gv", 0, 15, 2},
        {u"MV", 0, 15, 2}, {u"G日", 0, 0, 1},  {u"M", 0, 0, 1},   {u"T", 0, 0, 1},
        {u"U", 0, 0, 1},   {u"-+V", 0, 16, 3}, {u"-V", 0, 12, 2}, {u"-v", 0, 12, 2},
        {u"-G", 0, 9, 2},  {u"-m", 0, 9, 2},   {u"-日", 0, 9, 1}, {u"-", 0, 9, 1},
        {u"+V", 0, 15, 2}, {u"R", 0, 17, 1},   {u"i", 0, 18, 1},  {u"H", 0, 19, 1},
        {u"V", 5, 7, 1},   {u"R", 9, 17, 1},
    };
    for (const RoleCase &c : cases) {
        const QString analysis = QStringLiteral("木") + QString::fromUtf16(c.letters);
        const ComponentRole role = MarkComponentRole(analysis, 0, c.operatorIndex);
        EXPECT_EQ(role.mark, c.mark) << analysis.toStdString();
        EXPECT_EQ(role.consumed, c.consumed) << analysis.toStdString();
    }
}

TEST(MarkComponentRoleTest, WithoutALetterARepeatedComponentGetsItsRepeatCount)
{
    const QList<std::pair<int, int>> byOperator = {{4, 20}, {5, 20},  {6, 21}, {8, 21},
                                                   {9, 22}, {11, 22}, {0, 0},  {14, 0}};
    for (const auto &[operatorIndex, mark] : byOperator) {
        for (const QString &analysis : {QStringLiteral("木"), QStringLiteral("木日")}) {
            const ComponentRole role = MarkComponentRole(analysis, 0, operatorIndex);
            EXPECT_EQ(role.mark, mark) << operatorIndex;
            EXPECT_EQ(role.consumed, 0);
        }
    }
}

TEST_F(StructureTreeTest, ARegularRootIsCompositeByItsFormulaKind)
{
    MemoryRecords records(StructureScript::Regular);
    records.add(1, "日");
    records.add(3, "明", 1, "日月");

    const StructureRoot composite = BuildStructureRoot(records, "x", 3, false, options);
    EXPECT_TRUE(composite.composite);
    EXPECT_EQ(
        composite.item,
        (StructureItem{
            .text = "明", .face = "標楷體", .picture = StructurePicture::Composite, .data = 3}));

    const StructureRoot leaf = BuildStructureRoot(records, "x", 1, false, options);
    EXPECT_FALSE(leaf.composite);
    EXPECT_EQ(leaf.item, (StructureItem{.text = "日", .face = "標楷體", .data = 1}));
}

TEST_F(StructureTreeTest, ARootWithoutAGlyphShowsItsCodeInTheTypefaceOfItsFaceCode)
{
    MemoryRecords records(StructureScript::Regular);
    GlyphRecord &missing = records.add(13061, "x", 1, "月木");
    missing.glyph.reset();
    missing.code = QStringLiteral("\uE000");
    missing.face = 1;
    GlyphRecord &bare = records.add(13062, "x", 1, "月木");
    bare.glyph.reset();

    StructureRoot root = BuildStructureRoot(records, "", 13061, false, options);
    EXPECT_EQ(root.item.text, "\uE000");
    EXPECT_EQ(root.item.face, "標楷體外字集一");
    EXPECT_EQ(root.item.flag, 1);

    gBaseFontName = "細明體";
    root = BuildStructureRoot(records, "", 13061, false, options);
    EXPECT_EQ(root.item.face, "細明體外字集一");
    EXPECT_EQ(BuildStructureRoot(records, "", 13062, false, options).item.text, "●");
}

TEST_F(StructureTreeTest, TheScriptFaceCodesKeepTheirScriptTypefaces)
{
    MemoryRecords records(StructureScript::SmallSeal);
    records.analysed(5, "日", "○").face = 14;
    records.analysed(6, "月", "○").face = 18; // no name: the default face
    options.faceNames[14] = "別名";
    EXPECT_EQ(BuildStructureRoot(records, "", 5, false, options).item.face, SealVariant);
    EXPECT_EQ(BuildStructureRoot(records, "", 6, false, options).item.face, "標楷體");
}

TEST_F(StructureTreeTest, AMissingGlyphOrAnOperatorOnThePanelGivesAPseudoRoot)
{
    MemoryRecords records(StructureScript::Regular);
    records.add(19782, "甲");
    records.add(19783, "乙");
    const StructureItem pseudo{.text = "丙", .face = "標楷體", .data = PseudoItemData, .flag = 3};

    EXPECT_EQ(BuildStructureRoot(records, "丙", 42, false, options).item, pseudo);
    const StructureRoot operatorRoot = BuildStructureRoot(records, "丙", 19782, true, options);
    EXPECT_EQ(operatorRoot.item, pseudo);
    EXPECT_FALSE(operatorRoot.composite);
    EXPECT_EQ(BuildStructureRoot(records, "丙", 19783, true, options).item.text, "乙");
    EXPECT_EQ(BuildStructureRoot(records, "丙", 19782, false, options).item.text, "甲");
}

TEST_F(StructureTreeTest, AncientRootsFollowTheirWholeGlyphAnalyses)
{
    MemoryRecords seal(StructureScript::SmallSeal);
    seal.analysed(1, "日", "○");
    seal.analysed(2, "上", "●");
    seal.analysed(3, "口", "口").kind = 0;
    StructureRoot root = BuildStructureRoot(seal, "", 1, false, options);
    EXPECT_TRUE(root.composite);
    EXPECT_EQ(root.item.flag, 0);
    EXPECT_EQ(children(seal, seal.rows[0], Seal),
              QList<StructureItem>{
                  (StructureItem{.text = Unshowable, .data = PseudoItemData, .flag = 3})});
    EXPECT_TRUE(BuildStructureRoot(seal, "", 2, false, options).composite);
    EXPECT_FALSE(BuildStructureRoot(seal, "", 3, false, options).composite);

    MemoryRecords bronze(StructureScript::OtherAncient);
    bronze.analysed(1, "日", "□").kind = 1; // an unidentified form is a leaf, flagged 1
    bronze.analysed(2, "月", "○");
    root = BuildStructureRoot(bronze, "", 1, false, options);
    EXPECT_FALSE(root.composite);
    EXPECT_EQ(root.item.picture, StructurePicture::Leaf);
    EXPECT_EQ(root.item.flag, 1);
    EXPECT_FALSE(BuildStructureRoot(bronze, "", 2, false, options).composite);
}

TEST_F(StructureTreeTest, RegularChildrenFollowTheComponentSequence)
{
    MemoryRecords records(StructureScript::Regular);
    records.add(10, "木");
    records.add(11, "林", 5, Twice + "木");
    const GlyphRecord &sen = records.add(12, "森", 2, "木林");

    const QList<StructureItem> items = children(records, sen, "標楷體");
    EXPECT_EQ(items, (QList<StructureItem>{{.text = "木", .data = 10},
                                           {.text = "林",
                                            .picture = StructurePicture::Composite,
                                            .data = 11,
                                            .placeholder = true}}));
    // A repeated component is one pseudo item, operator and component together.
    EXPECT_EQ(children(records, records.rows[1], "標楷體"),
              QList<StructureItem>{
                  (StructureItem{.text = Twice + "木", .data = PseudoItemData, .flag = 3})});

    gBaseFontName = "細明體";
    for (const StructureItem &item : children(records, sen, "細明體"))
        EXPECT_EQ(item.face, "細明體");
}

TEST_F(StructureTreeTest, RegularComponentsWithoutARecordAreUnknownPseudoItems)
{
    MemoryRecords records(StructureScript::Regular);
    records.add(1, "禾");
    const GlyphRecord &qiu = records.add(2, "秋", 1, "禾火" + Unshowable);

    EXPECT_EQ(
        children(records, qiu, "標楷體"),
        (QList<StructureItem>{
            {.text = "禾", .data = 1},
            {.text = "火", .picture = StructurePicture::Unknown, .data = PseudoItemData, .flag = 3},
            {.text = Unshowable, .data = PseudoItemData, .flag = 3}}));
}

TEST_F(StructureTreeTest, AnItemWithoutANumberIsFoundByItsTextAndAMissingOneHasNoChildren)
{
    MemoryRecords records(StructureScript::Regular);
    records.add(1, "日");
    records.add(2, "明", 1, "日月");
    EXPECT_EQ(texts(BuildStructureChildren(records, 0, "明", "標楷體", options)),
              QStringList({"日", "月"}));
    EXPECT_TRUE(BuildStructureChildren(records, 99, "明", "標楷體", options).isEmpty());
    EXPECT_TRUE(BuildStructureChildren(records, 0, "晶", "標楷體", options).isEmpty());
}

TEST_F(StructureTreeTest, AncientComponentsTakeTheTypefaceOfTheirRecordsAndTheirRoles)
{
    MemoryRecords records(StructureScript::SmallSeal);
    records.analysed(1, "水", "○").kind = 0;
    records.add(2, "工").face = 14;
    const GlyphRecord &jiang = records.analysed(3, "江", "水工V");
    const GlyphRecord &he = records.analysed(4, "河", "水工v");

    const QList<StructureItem> items = children(records, jiang, Seal);
    EXPECT_EQ(items,
              (QList<StructureItem>{
                  {.text = "水",
                   .face = Seal,
                   .picture = StructurePicture::Composite,
                   .data = 1,
                   .placeholder = true},
                  {.text = "工", .face = SealVariant, .data = 2, .mark = RoleMarks::Phonetic}}));
    EXPECT_EQ(marks(children(records, he, Seal)), QList<int>({0, RoleMarks::Phonetic}));
}

TEST_F(StructureTreeTest, UnshowablePartsAndDAreTheUnshowableSymbol)
{
    MemoryRecords records(StructureScript::OtherAncient);
    records.add(1, "又");
    const GlyphRecord &cun = records.analysed(2, "寸", "又●○□■" + Unshowable + "又D");
    const QList<StructureItem> items = children(records, cun, Bronze);
    ASSERT_EQ(items.size(), 7);
    EXPECT_EQ(items[0].text, "又");
    for (int i = 1; i < items.size(); ++i) {
        EXPECT_EQ(items[i], (StructureItem{.text = Unshowable, .data = PseudoItemData, .flag = 3}))
            << i;
    }
}

TEST_F(StructureTreeTest, RepeatedComponentsAreMarkedByTheirCount)
{
    MemoryRecords records(StructureScript::SmallSeal);
    records.add(1, "口");
    const GlyphRecord &pin = records.analysed(
        2, "品", Thrice + "口" + Twice + "口" + FourTimes + "口" + Twice + "口V" + Twice + "口D");
    const QList<StructureItem> items = children(records, pin, Seal);
    EXPECT_EQ(texts(items), QStringList({"口", "口", "口", "口", Unshowable}));
    EXPECT_EQ(marks(items), QList<int>({21, 20, 22, RoleMarks::Phonetic, 20}));
}

TEST_F(StructureTreeTest, ARepeatedComponentMarkedLIsTakenAsARegularCharacter)
{
    MemoryRecords records(StructureScript::SmallSeal);
    records.add(1, "木").regularNumber = 75;
    const GlyphRecord &lin = records.analysed(2, "林", Twice + "木L" + Twice + "火l");
    const QList<StructureItem> items = children(records, lin, Seal);
    EXPECT_EQ(items, (QList<StructureItem>{{.text = "木",
                                            .face = "標楷體",
                                            .picture = StructurePicture::Question,
                                            .data = 75,
                                            .mark = 20},
                                           {.text = "火",
                                            .face = "標楷體",
                                            .picture = StructurePicture::Question,
                                            .data = PseudoItemData,
                                            .flag = 3,
                                            .mark = 20}}));
}

TEST_F(StructureTreeTest, AnLAfterAComponentIsNoComponentOfItsOwn)
{
    MemoryRecords records(StructureScript::OtherAncient);
    records.add(1, "木");
    records.add(2, "日");
    const GlyphRecord &glyph = records.analysed(3, "杲", "木L日lV");
    const QList<StructureItem> items = children(records, glyph, Bronze);
    EXPECT_EQ(texts(items), QStringList({"木", "日"}));
    EXPECT_EQ(marks(items), QList<int>({0, RoleMarks::Phonetic}));
}

TEST_F(StructureTreeTest, UnknownAncientComponentsKeepTheirRolesAndTheViewsTypeface)
{
    MemoryRecords records(StructureScript::OtherAncient);
    records.add(1, "日");
    const GlyphRecord &glyph = records.analysed(2, "暮", "可V日-+V日");
    const QList<StructureItem> items = children(records, glyph, Bronze);
    ASSERT_EQ(texts(items), QStringList({"可", "日", "日"}));
    EXPECT_EQ(items[0], (StructureItem{.text = "可",
                                       .face = Bronze,
                                       .picture = StructurePicture::Unknown,
                                       .data = PseudoItemData,
                                       .flag = 3,
                                       .mark = RoleMarks::Phonetic}));
    EXPECT_EQ(items[1].mark, RoleMarks::AbbreviatedAlsoPhonetic);
}

TEST_F(StructureTreeTest, TheSmallSealTakesTheFirstRecordNotMarkedRepeated)
{
    for (const StructureScript script :
         {StructureScript::SmallSeal, StructureScript::OtherAncient}) {
        MemoryRecords records(script);
        records.add(14, "口").repeated = 1;
        records.add(15, "口");
        records.add(17, "乙").repeated = 1;
        const GlyphRecord &glyph = records.analysed(19, "乩", "口乙");
        const QList<StructureItem> items = children(records, glyph, Seal);
        ASSERT_EQ(items.size(), 2);
        if (script == StructureScript::SmallSeal) {
            EXPECT_EQ(items[0].data, 15);
            EXPECT_EQ(items[1].picture, StructurePicture::Unknown); // no principal 乙
            EXPECT_EQ(items[1].data, PseudoItemData);
        } else {
            EXPECT_EQ(items[0].data, 14);
            EXPECT_EQ(items[1].data, 17);
        }
    }
}

TEST_F(StructureTreeTest, AncientComponentsAreCompositeByAnalysisOrKindAndNeedANumber)
{
    MemoryRecords records(StructureScript::OtherAncient);
    records.add(0, "日");
    records.add(1, "丙").analysis = "□"; // a root whose own analysis is a whole part
    records.add(3, "明", 1, "日月");
    const GlyphRecord &glyph = records.analysed(4, "盟", "日丙明");
    const QList<StructureItem> items = children(records, glyph, Bronze);
    EXPECT_EQ(items, (QList<StructureItem>{{.text = Unshowable, .data = PseudoItemData, .flag = 3},
                                           {.text = "丙",
                                            .face = Bronze,
                                            .picture = StructurePicture::Composite,
                                            .data = 1,
                                            .placeholder = true},
                                           {.text = "明",
                                            .face = Bronze,
                                            .picture = StructurePicture::Composite,
                                            .data = 3,
                                            .placeholder = true}}));
}

TEST_F(StructureTreeTest, TheSmallSealReadsTheAnalysisTheOptionChooses)
{
    MemoryRecords seal(StructureScript::SmallSeal);
    GlyphRecord &ming = seal.analysed(5, "朙", "月囧");
    ming.analysis2 = "囧月";
    options.explanationOrder = true;
    EXPECT_EQ(texts(children(seal, ming, Seal)), QStringList({"月", "囧"}));
    options.explanationOrder = false;
    EXPECT_EQ(texts(children(seal, ming, Seal)), QStringList({"囧", "月"}));
    ming.analysis.reset(); // no 解形: nothing, whichever analysis is chosen
    EXPECT_TRUE(children(seal, ming, Seal).isEmpty());

    MemoryRecords bronze(StructureScript::OtherAncient);
    GlyphRecord &other = bronze.analysed(5, "明", "日月");
    other.analysis2 = "月日";
    EXPECT_EQ(texts(children(bronze, other, Bronze)), QStringList({"日", "月"}));
}

TEST_F(StructureTreeTest, ATrailingRepeatOperatorAddsNothing)
{
    MemoryRecords records(StructureScript::OtherAncient);
    records.add(1, "木");
    const GlyphRecord &glyph = records.analysed(2, "林", "木" + Twice);
    EXPECT_EQ(texts(children(records, glyph, Bronze)), QStringList({"木"}));
}

} // namespace

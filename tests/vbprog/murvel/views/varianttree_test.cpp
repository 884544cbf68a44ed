#include "tests/support/printqstring.h"
#include "vbprog/murvel/views/variantsql.h"
#include "vbprog/murvel/views/varianttree.h"

#include <QHash>
#include <QStringList>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

namespace
{

// Records a builder's items and draws the tree, one line per item in list order, indented
// by depth: text, typeface, data, picture ("+" when expanded), flag and mark.
class RecordedTree : public VariantTreeTarget
{
public:
    int add(const VariantItem &item, int parent) override
    {
        const int depth = parent < 0 ? 0 : m_depths.at(parent) + 1;
        // Items are added as the last child of an item whose subtree ends the list.
        EXPECT_TRUE(parent < 0 || parent < int(m_items.size()));
        m_items.push_back(item);
        m_depths.push_back(depth);
        m_expanded.push_back(false);
        return int(m_items.size()) - 1;
    }
    void expand(int index) override { m_expanded.at(index) = true; }

    QStringList lines() const
    {
        static const char *const pictures[] = {"none", "node", "unknown", "composite", "leaf"};
        QStringList lines;
        for (size_t i = 0; i < m_items.size(); ++i) {
            const VariantItem &item = m_items[i];
            lines << QString(m_depths[i] * 2, ' ') + QStringLiteral("%1 %2 %3 %4%5 f%6 m%7")
                                                         .arg(item.text, item.face)
                                                         .arg(item.data)
                                                         .arg(pictures[int(item.picture)])
                                                         .arg(m_expanded[i] ? "+" : "")
                                                         .arg(item.flag)
                                                         .arg(item.mark);
        }
        return lines;
    }

private:
    std::vector<VariantItem> m_items;
    std::vector<int> m_depths;
    std::vector<bool> m_expanded;
};

VariantGlyph Glyph(qint32 number, const QString &shape, int faceCode = 0, int formulaKind = 0)
{
    VariantGlyph glyph;
    glyph.number = number;
    glyph.shape = shape;
    glyph.shapeIsNull = shape.isEmpty();
    glyph.code = shape;
    glyph.faceCode = faceCode;
    glyph.formulaKind = formulaKind;
    return glyph;
}

// A missing character: no 字形, shown by its 字碼.
VariantGlyph CodeOnly(qint32 number, const QString &code, int faceCode)
{
    VariantGlyph glyph = Glyph(number, {}, faceCode);
    glyph.code = code;
    return glyph;
}

// A table of glyph records by 編號.
class Records
{
public:
    Records(std::initializer_list<VariantGlyph> glyphs)
    {
        for (const VariantGlyph &glyph : glyphs)
            m_glyphs.insert(glyph.number, glyph);
    }
    GlyphLookup lookup() const
    {
        return [glyphs = m_glyphs](qint32 number) -> std::optional<VariantGlyph> {
            if (!glyphs.contains(number))
                return std::nullopt;
            return glyphs.value(number);
        };
    }

private:
    QHash<qint32, VariantGlyph> m_glyphs;
};

VariantMember Member(int place, qint32 number, std::optional<int> category = std::nullopt)
{
    return {place, number, category, std::nullopt};
}

VariantMember RegularRow(qint32 number, qint32 regularNumber)
{
    return {0, number, std::nullopt, regularNumber};
}

FaceNames TestFaceNames()
{
    FaceNames names;
    const QStringList known = {
        "標楷體",         "標楷體外字集一", "標楷體外字集二", "標楷體外字集三", "標楷體外字集四",
        "標楷體外字集五", "標楷體外字集六", "標楷體外字集七", "標楷體外字集八", "hzkf",
        "qel98m",         "細明體",         "新細明體",       "北師大說文小篆", "北師大說文重文",
        "Ombrel金文",     "Ombrel甲骨文",   "Ombrel楚系文字"};
    for (int code = 0; code < known.size(); ++code)
        names[code] = known[code];
    return names;
}

// Builds one load: the groups in order, each with its rows.
template<typename Tree>
void Build(Tree &tree,
           const std::vector<std::pair<VariantGroup, std::vector<VariantMember>>> &groups,
           int *added = nullptr)
{
    QList<VariantGroup> heads;
    for (const auto &group : groups)
        heads << group.first;
    tree.begin(heads);
    int count = 0;
    for (const auto &group : groups) {
        tree.beginGroup();
        for (const VariantMember &member : group.second)
            count += tree.addMember(member) ? 1 : 0;
        tree.endGroup();
    }
    if (added != nullptr)
        *added = count;
}

class VariantTreeTest : public ::testing::Test
{
protected:
    void SetUp() override { gBaseFontName = "標楷體"; }
    void TearDown() override { gBaseFontName = "標楷體"; }

    RecordedTree list;
    FaceNames faces = TestFaceNames();
};

// --- the SQL texts

TEST(VariantSqlTest, TheGroupAndMemberQueriesAreWrittenAsTheViewsRunThem)
{
    EXPECT_EQ(VariantGroupsSql("異體字表", 4107),
              "SELECT 組號,First(形碼),編號 From 異體字表 GROUP BY 組號,編號 HAVING 編號= 4107 "
              "order by 組號");
    EXPECT_EQ(VariantMembersSql("異體字根", 12),
              "SELECT * From 異體字根 Where 組號= 12 ORDER BY 形碼,編號");
    EXPECT_EQ(VariantGroupsSql("異體字根", 2147483647).count("2147483647"), 1);
}

// --- variant characters

TEST_F(VariantTreeTest, AGlyphInNoGroupIsOneLeaf)
{
    const Records regular{CodeOnly(13061, QString(QChar(0xE000)), 1)};
    VariantCharacterTree tree(list, faces, "標楷體", "x", 13061, regular.lookup(),
                              regular.lookup());
    Build(tree, {});
    // The text is the caller's in a regular view; the missing character's flag is 1.
    EXPECT_EQ(list.lines(), QStringList({"x 標楷體外字集一 13061 leaf f1 m0"}));
    EXPECT_EQ(tree.markCount(), 0);
}

TEST_F(VariantTreeTest, OneGroupInTheRegularScriptHasItsHeadFirstAndMarksByCategory)
{
    const Records regular{Glyph(1, "線"), Glyph(2, "綫"), Glyph(3, "线"), Glyph(4, "䌫"),
                          Glyph(5, "綖")};
    VariantCharacterTree tree(list, faces, "標楷體", "綫", 2, regular.lookup(), regular.lookup());
    int added = 0;
    Build(
        tree,
        {{{7, 2}, {Member(1, 1), Member(2, 2, 4), Member(3, 3, 2), Member(4, 4, 9), Member(5, 5)}}},
        &added);
    EXPECT_EQ(list.lines(), QStringList({"線 標楷體 1 node+ f0 m0", "  綫 標楷體 2 none f0 m4",
                                         "  线 標楷體 3 none f0 m2", "  䌫 標楷體 4 none f0 m0",
                                         "  綖 標楷體 5 none f0 m0"}));
    // 類別 9 has no picture but counts; a Null category does not.
    EXPECT_EQ(tree.markCount(), 3);
    EXPECT_EQ(added, 5);
}

TEST_F(VariantTreeTest, TwoGroupsHangUnderTheGlyphAndBronzeFormsAreDrawnInZodi)
{
    const Records regular{Glyph(10, "台"), Glyph(11, "臺"), Glyph(12, "颱"),
                          CodeOnly(13, QString(QChar(0xE200)), 15)};
    VariantCharacterTree tree(list, faces, "標楷體", "台", 10, regular.lookup(), regular.lookup());
    Build(tree, {{{5, 2}, {Member(1, 11), Member(2, 10, 2), Member(3, 13, 11)}},
                 {{6, 2}, {Member(1, 12), Member(2, 10, 2)}}});
    EXPECT_EQ(list.lines(),
              QStringList({"台 標楷體 10 node+ f0 m0", "  臺 標楷體 11 composite+ f0 m0",
                           "    台 標楷體 10 none f0 m2",
                           "    " + QString(QChar(0xE200)) + " zodi 13 none f1 m11",
                           "  颱 標楷體 12 composite+ f0 m0", "    台 標楷體 10 none f0 m2"}));
}

TEST_F(VariantTreeTest, TheBaseTypefaceChangesTheShownFaces)
{
    gBaseFontName = "細明體";
    const Records regular{Glyph(1, "寶"), CodeOnly(2, QString(QChar(0xE000)), 1)};
    VariantCharacterTree tree(list, faces, "標楷體", "寶", 1, regular.lookup(), regular.lookup());
    Build(tree, {{{1, 1}, {Member(1, 1), Member(2, 2, 7)}}});
    EXPECT_EQ(list.lines(),
              QStringList({"寶 細明體 1 node+ f0 m0",
                           "  " + QString(QChar(0xE000)) + " 細明體外字集一 2 none f1 m7"}));
}

TEST_F(VariantTreeTest, ASmallSealGroupShowsTheRegularGlyphInSealAndNoMarks)
{
    VariantGlyph shang = Glyph(3000, "上");
    shang.sealNumber = 1;
    shang.sealText = "上";
    const Records regular{shang};
    const Records seal{Glyph(1, "上", 13), CodeOnly(2, QString(QChar(0xE100)), 14)};
    VariantCharacterTree tree(list, faces, "北師大說文小篆", "?", 1, seal.lookup(),
                              regular.lookup());
    int added = 0;
    Build(tree, {{{1, 0}, {RegularRow(1, 3000), Member(1, 1), Member(2, 2, 5)}}}, &added);
    EXPECT_EQ(list.lines(),
              QStringList({"上 北師大說文小篆 1 composite f0 m0", "上 北師大說文小篆 1 node+ f0 m0",
                           "  " + QString(QChar(0xE100)) + " 北師大說文重文 2 leaf f1 m0"}));
    EXPECT_EQ(tree.markCount(), 0);
    EXPECT_EQ(added, 3);
}

TEST_F(VariantTreeTest, TheRootTypefaceOfAScriptGlyphComesFromItsFaceCode)
{
    const Records oracle{CodeOnly(5, QString(QChar(0xE300)), 16)};
    VariantCharacterTree tree(list, faces, "Ombrel甲骨文", "人", 5, oracle.lookup(),
                              oracle.lookup());
    Build(tree, {});
    EXPECT_EQ(list.lines(), QStringList({QString(QChar(0xE300)) + " Ombrel甲骨文 5 leaf f1 m0"}));
}

TEST_F(VariantTreeTest, MissingRecordsShowNothingAndAreNotCounted)
{
    const Records regular{Glyph(1, "吉")};
    VariantCharacterTree tree(list, faces, "標楷體", "吉", 1, regular.lookup(), regular.lookup());
    int added = 0;
    // A member without a record, and a regular-glyph row whose regular glyph is missing.
    Build(tree, {{{11, 1}, {RegularRow(9, 77), Member(1, 1), Member(2, 99999, 7)}}}, &added);
    EXPECT_EQ(list.lines(), QStringList({"吉 標楷體 1 node+ f0 m0"}));
    EXPECT_EQ(added, 1);
}

TEST_F(VariantTreeTest, MembersWithoutAHeadNeverJoinAnotherGroup)
{
    const Records regular{Glyph(1, "甲"), Glyph(2, "丙"), Glyph(3, "丁")};
    VariantCharacterTree tree(list, faces, "標楷體", "丙", 2, regular.lookup(), regular.lookup());
    Build(tree,
          {{{9, 2}, {Member(1, 1), Member(2, 2, 4)}}, {{10, 2}, {Member(2, 2), Member(3, 3)}}});
    EXPECT_EQ(list.lines(),
              QStringList({"丙 標楷體 2 node+ f0 m0", "  甲 標楷體 1 composite+ f0 m0",
                           "    丙 標楷體 2 none f0 m4", "  丙 標楷體 2 none f0 m0",
                           "  丁 標楷體 3 none f0 m0"}));
}

TEST_F(VariantTreeTest, AGroupWithoutAHeadAloneIsListedAtTopLevel)
{
    const Records regular{Glyph(2, "丙"), Glyph(3, "丁")};
    VariantCharacterTree tree(list, faces, "標楷體", "丙", 2, regular.lookup(), regular.lookup());
    Build(tree, {{{10, 2}, {Member(2, 2, 4), Member(3, 3, 4)}}});
    EXPECT_EQ(list.lines(), QStringList({"丙 標楷體 2 none f0 m4", "丁 標楷體 3 none f0 m4"}));
}

TEST_F(VariantTreeTest, AMemberWithoutTextIsShownAsABlackDot)
{
    VariantGlyph blank = Glyph(8, {}, 1);
    EXPECT_EQ(VariantMemberText(blank), "●");
    blank.code = "x";
    EXPECT_EQ(VariantMemberText(blank), "x");
    EXPECT_EQ(VariantMemberText(Glyph(9, "群")), "群");
}

TEST(VariantScriptTest, FacesChooseTheScript)
{
    EXPECT_EQ(ScriptOfFace("北師大說文小篆").id, ScriptId::SmallSeal);
    EXPECT_EQ(ScriptOfFace("北師大說文重文").id, ScriptId::SmallSeal);
    EXPECT_EQ(ScriptOfFace("Ombrel金文").id, ScriptId::Bronze);
    EXPECT_EQ(ScriptOfFace("Ombrel甲骨文").id, ScriptId::OracleBone);
    EXPECT_EQ(ScriptOfFace("Ombrel楚系文字").id, ScriptId::Chu);
    EXPECT_EQ(ScriptOfFace("zodi").id, ScriptId::Regular);
    EXPECT_EQ(ScriptOfFace("標楷體").id, ScriptId::Regular);
}

// --- variant components

TEST_F(VariantTreeTest, AComponentInNoGroupIsUnknownWhenItIsARoot)
{
    const Records regular{Glyph(1, "木"), Glyph(2, "林", 0, 5)};
    VariantComponentTree root(list, faces, Glyph(1, "木"), 1, "木", "標楷體", regular.lookup());
    Build(root, {});
    RecordedTree composed;
    VariantComponentTree tree(composed, faces, Glyph(2, "林", 0, 5), 2, "林", "標楷體",
                              regular.lookup());
    Build(tree, {});
    EXPECT_EQ(list.lines(), QStringList({"木 標楷體 1 unknown f0 m0"}));
    EXPECT_EQ(composed.lines(), QStringList({"林 標楷體 2 leaf f0 m0"}));
}

TEST_F(VariantTreeTest, TheHeadOfItsOnlyComponentGroupHasNoRoot)
{
    const Records regular{Glyph(1, "网"), Glyph(2, "罒"), Glyph(3, "罓"), Glyph(4, "罔", 0, 3)};
    VariantComponentTree tree(list, faces, Glyph(1, "网"), 1, "网", "標楷體", regular.lookup());
    Build(tree, {{{4, 1}, {Member(1, 1), Member(2, 2), Member(3, 3), Member(4, 4)}}});
    // 形碼 2 is drawn unknown whatever it is; further forms by whether they are composed.
    EXPECT_EQ(list.lines(),
              QStringList({"网 標楷體 1 node+ f0 m0", "  罒 標楷體 2 unknown f0 m0",
                           "  罓 標楷體 3 unknown f0 m0", "  罔 標楷體 4 leaf f0 m0"}));
}

TEST_F(VariantTreeTest, AMemberOfItsOnlyComponentGroupIsItsRoot)
{
    const Records regular{Glyph(1, "阜"), Glyph(2, "阝")};
    VariantComponentTree tree(list, faces, Glyph(2, "阝"), 2, "x", "標楷體", regular.lookup());
    Build(tree, {{{2, 2}, {Member(1, 1), Member(2, 2)}}});
    EXPECT_EQ(list.lines(),
              QStringList({"阝 標楷體 2 node+ f0 m0", "  阜 標楷體 1 composite+ f0 m0",
                           "    阝 標楷體 2 unknown f0 m0"}));
}

TEST_F(VariantTreeTest, AComponentWithoutARegularRecordIsShownAsItsCallerShowedIt)
{
    const Records regular{Glyph(1, "人")};
    VariantComponentTree tree(list, faces, std::nullopt, 55, "亻", "標楷體", regular.lookup());
    Build(tree, {{{1, 2}, {Member(1, 1), Member(2, 55)}}});
    EXPECT_EQ(list.lines(),
              QStringList({"亻 標楷體 55 node+ f0 m0", "  人 標楷體 1 composite+ f0 m0"}));
}

} // namespace

#include "platform/jet/database.h"
#include "vbprog/murvel/views/derivationtree.h"
#include "vbprog/murvel/views/outlinelist.h"

#include <gtest/gtest.h>

namespace
{

// Typeface names by FaceCode as the databases list them.
std::array<QString, FaceCodeCount> FaceNames()
{
    std::array<QString, FaceCodeCount> names;
    names[0] = QStringLiteral("標楷體");
    names[1] = QStringLiteral("標楷體外字集一");
    names[13] = QStringLiteral("北師大說文小篆");
    return names;
}

DerivationRecord Glyph(const QString &text, qint32 number, std::optional<int> kind, int count,
                       bool outside = false)
{
    DerivationRecord record;
    record.text = text;
    record.hasGlyph = true;
    record.number = number;
    record.formulaKind = kind;
    record.count = count;
    record.outsideSet = outside;
    return record;
}

class DerivationTreeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        savedBase = gBaseFontName;
        gBaseFontName = QStringLiteral("標楷體");
        list.AddItem(QStringLiteral("木"));
        list.setItemFontName(0, QStringLiteral("標楷體"));
        list.setItemData(0, NoGlyphNumber);
    }
    void TearDown() override { gBaseFontName = savedBase; }

    bool hasPlaceholder(int index) const
    {
        return list.ChildCount(index) == 1 && list.ItemText(index + 1).isEmpty();
    }

    OutlineList list;
    std::array<QString, FaceCodeCount> faces = FaceNames();
    QString savedBase;
};

TEST_F(DerivationTreeTest, OnlyComposedGlyphsOfAComponentSearchOpen)
{
    DerivationTree tree(list, 0, QStringLiteral("部件序"), faces);
    EXPECT_EQ(tree.add(Glyph("林", 955, 5, 7)), DerivationTree::Outcome::Added);
    EXPECT_EQ(tree.add(Glyph("森", 2618, 2, 0)), DerivationTree::Outcome::Added);
    EXPECT_EQ(tree.add(Glyph("困", 528, 3, 1)), DerivationTree::Outcome::Added);
    EXPECT_EQ(tree.add(Glyph("呆", 529, 2, 1, true)), DerivationTree::Outcome::Added);
    // A root is no derived glyph of a component search.
    EXPECT_EQ(tree.add(Glyph("十", 2, 0, 9)), DerivationTree::Outcome::Skipped);
    // A Null kind is neither a root nor composed.
    EXPECT_EQ(tree.add(Glyph("乂", 30, std::nullopt, 5)), DerivationTree::Outcome::Added);

    ASSERT_EQ(list.ListCount(), 8);
    EXPECT_EQ(list.ItemText(1), QStringLiteral("林"));
    EXPECT_TRUE(hasPlaceholder(1));
    EXPECT_EQ(list.ItemPicture(1).cacheKey(), list.PictureComposite().cacheKey());
    EXPECT_EQ(list.ItemData(1), 955);
    EXPECT_EQ(list.ItemFlag(1).toInt(), 0);
    EXPECT_EQ(list.ItemText(3), QStringLiteral("森")); // count 0: a leaf
    EXPECT_EQ(list.ItemPicture(3).cacheKey(), list.PictureLeaf().cacheKey());
    EXPECT_EQ(list.ItemText(4), QStringLiteral("困")); // count 1 inside the set: a leaf
    EXPECT_EQ(list.ChildCount(4), 0);
    EXPECT_EQ(list.ItemText(5), QStringLiteral("呆")); // count 1 outside the set: opens
    EXPECT_TRUE(hasPlaceholder(5));
    EXPECT_EQ(list.ItemText(7), QStringLiteral("乂"));
    EXPECT_EQ(list.ChildCount(7), 0);
}

TEST_F(DerivationTreeTest, RootSearchesGiveLeavesOnly)
{
    DerivationTree tree(list, 0, QStringLiteral("字根組二"), faces);
    EXPECT_EQ(tree.add(Glyph("林", 955, 5, 7)), DerivationTree::Outcome::Added);
    EXPECT_EQ(tree.add(Glyph("十", 2, 0, 9)), DerivationTree::Outcome::Added);
    EXPECT_EQ(list.ListCount(), 3);
    EXPECT_EQ(list.ItemPicture(1).cacheKey(), list.PictureLeaf().cacheKey());
    EXPECT_EQ(list.ChildCount(1), 0);
}

TEST_F(DerivationTreeTest, TheParentsOwnRecordIsKnownByTextAndStoredTypeface)
{
    DerivationTree tree(list, 0, QStringLiteral("部件序"), faces);
    DerivationRecord other = Glyph("木", 900, 0, 3);
    other.faceCode = 13; // the same text in another typeface is another glyph
    EXPECT_EQ(tree.add(other), DerivationTree::Outcome::Skipped);
    DerivationRecord own = Glyph("木", 139, 0, 12);
    EXPECT_EQ(tree.add(own), DerivationTree::Outcome::Parent);

    // Shown in 細明體, the root is still the record stored in 標楷體.
    gBaseFontName = QStringLiteral("細明體");
    list.setItemFontName(0, QStringLiteral("細明體"));
    EXPECT_EQ(tree.add(own), DerivationTree::Outcome::Parent);
    tree.describeParent(own);
    EXPECT_EQ(list.ItemData(0), 139);
    EXPECT_EQ(list.ItemFontName(0), QStringLiteral("細明體"));
    EXPECT_EQ(list.ItemFlag(0).toInt(), 0);
    EXPECT_EQ(list.ItemPicture(0).cacheKey(), list.PictureNode().cacheKey());
    EXPECT_EQ(list.ListCount(), 1);
}

TEST_F(DerivationTreeTest, TheRootPictureShowsWhetherItBuildsMore)
{
    DerivationTree tree(list, 0, QStringLiteral("字根序"), faces);
    tree.describeParent(Glyph("木", 139, 0, 1));
    EXPECT_EQ(list.ItemPicture(0).cacheKey(), list.PictureLeaf().cacheKey());

    list.setItemText(0, QStringLiteral("日月"));
    tree.describeParent(Glyph("日月", 77, 1, 0));
    EXPECT_EQ(list.ItemPicture(0).cacheKey(), list.PictureNode().cacheKey());
    EXPECT_EQ(list.ItemFlag(0).toInt(), 3);
}

TEST_F(DerivationTreeTest, ChildrenGoUnderTheItemOpened)
{
    list.AddItem(QStringLiteral("林"), 0);
    list.setItemFontName(1, QStringLiteral("標楷體"));
    list.AddItem(QStringLiteral("困"), 0);
    DerivationTree tree(list, 1, QStringLiteral("部件序二"), faces);
    EXPECT_EQ(tree.add(Glyph("林", 955, 5, 7)), DerivationTree::Outcome::Parent);
    EXPECT_EQ(tree.add(Glyph("禁", 3161, 2, 2)), DerivationTree::Outcome::Added);
    EXPECT_EQ(list.ChildCount(1), 1);
    EXPECT_EQ(list.ItemText(2), QStringLiteral("禁"));
    EXPECT_TRUE(hasPlaceholder(2));
    EXPECT_EQ(list.ItemText(4), QStringLiteral("困"));
}

class DerivationRecordTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        jet::Result<jet::Database> opened =
            jet::Database::open(QStringLiteral(MURVEL_FIXTURE_DIR "/derivation/murvel.mdb"));
        ASSERT_TRUE(opened.ok()) << opened.errorString().toStdString();
        database = opened.value();
    }

    DerivationRecord read(const QString &columns, CharacterSet set) const
    {
        jet::Result<jet::Snapshot> answer = database.openSnapshot("SELECT " + columns);
        EXPECT_TRUE(answer.ok()) << answer.errorString().toStdString();
        return ReadDerivationRecord(answer.value(), set);
    }

    jet::Database database;
};

TEST_F(DerivationRecordTest, TheTextFallsBackToTheCodeAndThenToADot)
{
    const DerivationRecord missing =
        read("NULL AS 字形, '\uE000' AS 字碼, 1 AS 字體, 13064 AS 編號, "
             "1 AS 連接符號, 0 AS 組字字數",
             CharacterSet::All);
    EXPECT_EQ(missing.text, QStringLiteral("\uE000"));
    EXPECT_FALSE(missing.hasGlyph);
    EXPECT_EQ(missing.faceCode, 1);
    EXPECT_EQ(missing.number, 13064);
    EXPECT_EQ(missing.formulaKind, 1);

    const DerivationRecord empty =
        read("'' AS 字形, NULL AS 字碼, NULL AS 字體, NULL AS 連接符號", CharacterSet::All);
    EXPECT_EQ(empty.text, QStringLiteral("●"));
    EXPECT_TRUE(empty.hasGlyph); // an empty 字形 is not Null
    EXPECT_EQ(empty.faceCode, 0);
    EXPECT_FALSE(empty.formulaKind.has_value());
}

TEST_F(DerivationRecordTest, TheSetDecidesTheCountAndWhatLiesOutside)
{
    const QString counts = "'林' AS 字形, 5 AS 組字字數, 3 AS [組字字數(常用字)], "
                           "2 AS [組字字數(Big5)], 1 AS [組字字數(簡化字)], ";
    EXPECT_EQ(read(counts + "955 AS 編號", CharacterSet::All).count, 5);
    EXPECT_FALSE(read(counts + "955 AS 編號", CharacterSet::All).outsideSet);
    EXPECT_TRUE(read(counts + "0 AS 編號", CharacterSet::All).outsideSet);

    const DerivationRecord common = read(counts + "NULL AS 常用字", CharacterSet::Common);
    EXPECT_EQ(common.count, 3);
    EXPECT_TRUE(common.outsideSet);
    EXPECT_FALSE(read(counts + "1 AS 常用字", CharacterSet::Common).outsideSet);

    EXPECT_EQ(read(counts + "13053 AS 編號", CharacterSet::Big5).count, 2);
    EXPECT_FALSE(read(counts + "13053 AS 編號", CharacterSet::Big5).outsideSet);
    EXPECT_TRUE(read(counts + "13054 AS 編號", CharacterSet::Big5).outsideSet);

    const DerivationRecord simplified = read(counts + "0 AS 簡化字", CharacterSet::Simplified);
    EXPECT_EQ(simplified.count, 1);
    EXPECT_TRUE(simplified.outsideSet);
    // No count field in the answer reads as no count.
    EXPECT_EQ(read(counts + "1 AS 漢語大字典", CharacterSet::HanyuDazidian).count, 0);
}

TEST(DerivationProgress, ThePercentageRoundsHalvesToEven)
{
    EXPECT_EQ(DerivationProgressMessage(0, 53),
              QStringLiteral("字形載入已完成 0 % , 欲中斷請按 Esc 鍵"));
    EXPECT_EQ(DerivationProgressMessage(1, 8),
              QStringLiteral("字形載入已完成 12 % , 欲中斷請按 Esc 鍵"));
    EXPECT_EQ(DerivationProgressMessage(3, 8),
              QStringLiteral("字形載入已完成 38 % , 欲中斷請按 Esc 鍵"));
    EXPECT_EQ(DerivationProgressMessage(2, 3),
              QStringLiteral("字形載入已完成 67 % , 欲中斷請按 Esc 鍵"));
    EXPECT_EQ(DerivationProgressMessage(1, 3),
              QStringLiteral("字形載入已完成 33 % , 欲中斷請按 Esc 鍵"));
    EXPECT_EQ(DerivationProgressMessage(53, 53),
              QStringLiteral("字形載入已完成 100 % , 欲中斷請按 Esc 鍵"));
    EXPECT_EQ(DerivationEndMessage(53), QStringLiteral("載入完畢！ 共 53 個字形(部件)"));
}

} // namespace

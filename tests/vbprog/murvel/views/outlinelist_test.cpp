#include "vbprog/murvel/views/outlinelist.h"
#include "vbprog/murvel/views/outlinelistmodel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <limits>

namespace
{

QStringList itemTexts(const OutlineList &list)
{
    QStringList texts;
    for (int i = 0; i < list.ListCount(); ++i)
        texts << list.ItemText(i);
    return texts;
}

void appendShown(const QAbstractItemModel &model, const QModelIndex &parent, QStringList &texts)
{
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex item = model.index(row, 0, parent);
        texts << model.index(row, OutlineListModel::TextColumn, parent).data().toString();
        appendShown(model, item, texts);
    }
}

// The items the view knows, in display order.
QStringList shownTexts(const OutlineList &list)
{
    QStringList texts;
    appendShown(*list.model(), {}, texts);
    return texts;
}

// A, a1, a1x, a2, B: children added to items that already have followers.
void addNested(OutlineList &list)
{
    list.AddItem(QStringLiteral("A"));
    list.AddItem(QStringLiteral("B"));
    list.AddItem(QStringLiteral("a1"), 0);
    list.AddItem(QStringLiteral("a1x"), 1);
    list.AddItem(QStringLiteral("a2"), 0);
}

TEST(OutlineListTest, ChildrenFollowTheirParentInDisplayOrder)
{
    OutlineList list;
    list.AddItem(QStringLiteral("A"));
    list.AddItem(QStringLiteral("B"));
    list.AddItem(QStringLiteral("a1"), 0);
    EXPECT_EQ(list.NewIndex(), 1);
    list.AddItem(QStringLiteral("a1x"), 1);
    EXPECT_EQ(list.NewIndex(), 2);
    list.AddItem(QStringLiteral("a2"), 0);
    EXPECT_EQ(list.NewIndex(), 3);

    EXPECT_EQ(itemTexts(list), QStringList({"A", "a1", "a1x", "a2", "B"}));
    EXPECT_EQ(shownTexts(list), itemTexts(list));
    EXPECT_EQ(list.ListCount(), 5);
    EXPECT_EQ(list.ChildCount(0), 2);
    EXPECT_EQ(list.ChildCount(1), 1);
    EXPECT_EQ(list.ChildCount(4), 0);
}

TEST(OutlineListTest, RemovingAnItemTakesItsSubtreeAndShiftsNewIndex)
{
    OutlineList list;
    addNested(list);
    ASSERT_EQ(list.NewIndex(), 3); // a2

    list.RemoveItem(1); // a1 with a1x
    EXPECT_EQ(itemTexts(list), QStringList({"A", "a2", "B"}));
    EXPECT_EQ(shownTexts(list), itemTexts(list));
    EXPECT_EQ(list.ChildCount(0), 1);
    EXPECT_EQ(list.NewIndex(), 1);

    list.RemoveItem(0);
    EXPECT_EQ(itemTexts(list), QStringList({"B"}));
    EXPECT_EQ(list.NewIndex(), -1);

    list.AddItem(QStringLiteral("C"));
    list.Clear();
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(list.NewIndex(), -1);
    EXPECT_EQ(list.model()->rowCount(), 0);
}

TEST(OutlineListTest, RemovingAMiddleChildWithItsSubtreeKeepsTheViewInStep)
{
    OutlineList list;
    QAbstractItemModelTester tester(list.model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    list.AddItem(QStringLiteral("A"));
    list.AddItem(QStringLiteral("a1"), 0);
    list.AddItem(QStringLiteral("a2"), 0);
    list.AddItem(QStringLiteral("a2x"), 2);
    list.AddItem(QStringLiteral("a2y"), 2);
    list.AddItem(QStringLiteral("a3"), 0);
    list.AddItem(QStringLiteral("B"));
    const QAbstractItemModel &model = *list.model();
    const QModelIndex a = model.index(0, 0);
    const auto text = [&](int row, const QModelIndex &parent) {
        return QPersistentModelIndex(model.index(row, OutlineListModel::TextColumn, parent));
    };
    const QPersistentModelIndex before = text(0, a);
    const QPersistentModelIndex after = text(2, a);
    const QPersistentModelIndex grandchild = text(1, model.index(1, 0, a));
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);

    list.RemoveItem(2); // a2 with a2x and a2y

    EXPECT_EQ(itemTexts(list), QStringList({"A", "a1", "a3", "B"}));
    EXPECT_EQ(shownTexts(list), itemTexts(list));
    EXPECT_EQ(list.ChildCount(0), 2);
    EXPECT_EQ(list.NewIndex(), 3); // B, added last, moves up by the three items removed
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed[0][0].value<QModelIndex>(), a);
    EXPECT_EQ(removed[0][1].toInt(), 1);
    EXPECT_EQ(removed[0][2].toInt(), 1);
    EXPECT_EQ(before.data().toString(), "a1");
    EXPECT_EQ(after.data().toString(), "a3");
    EXPECT_EQ(after.row(), 1);
    EXPECT_FALSE(grandchild.isValid());

    list.AddItem(QStringLiteral("a4"), 0); // the list still adds where the model shows
    EXPECT_EQ(shownTexts(list), QStringList({"A", "a1", "a3", "a4", "B"}));
}

TEST(OutlineListTest, AParentOutsideTheListAddsNothing)
{
    OutlineList list;
    list.AddItem(QStringLiteral("A"));
    list.AddItem(QStringLiteral("x"), 5);
    list.AddItem(QStringLiteral("y"), -2);
    EXPECT_EQ(itemTexts(list), QStringList({"A"}));
    EXPECT_EQ(list.NewIndex(), 0);
}

TEST(OutlineListTest, TheViewSeesTheSameTreeWhateverTheRedrawState)
{
    OutlineList list;
    QAbstractItemModelTester tester(list.model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    list.setRedraw(false);
    addNested(list);
    EXPECT_TRUE(shownTexts(list).isEmpty());
    list.setRedraw(true);
    EXPECT_EQ(shownTexts(list), itemTexts(list));

    // Growing shown items and new ones in one batch, with removals in between.
    list.setRedraw(false);
    list.AddItem(QStringLiteral("b1"), 4);  // under B, shown
    list.AddItem(QStringLiteral("a1y"), 1); // under a1, shown
    list.AddItem(QStringLiteral("C"));      // new
    list.AddItem(QStringLiteral("c1"), 7);  // under the new C
    list.RemoveItem(3);                     // a1y, not shown yet
    list.RemoveItem(3);                     // a2, shown
    list.AddItem(QStringLiteral("a1z"), 1);
    list.setRedraw(true);
    EXPECT_EQ(itemTexts(list), QStringList({"A", "a1", "a1x", "a1z", "B", "b1", "C", "c1"}));
    EXPECT_EQ(shownTexts(list), itemTexts(list));

    list.setRedraw(false);
    list.Clear();
    list.AddItem(QStringLiteral("D"));
    list.setRedraw(true);
    EXPECT_EQ(shownTexts(list), QStringList({"D"}));
}

TEST(OutlineListTest, NoModelSignalPerItemWhileRedrawIsFalse)
{
    OutlineList list;
    list.AddItem(QStringLiteral("root"));
    QSignalSpy inserted(list.model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(list.model(), &QAbstractItemModel::dataChanged);
    QSignalSpy reset(list.model(), &QAbstractItemModel::modelReset);

    list.setRedraw(false);
    for (int i = 0; i < 100; ++i) {
        list.AddItem(QStringLiteral("child"), 0);
        list.setItemFontName(list.NewIndex(), QStringLiteral("細明體"));
        list.setItemPicture(list.NewIndex(), list.PictureLeaf());
        list.AddItem(QStringLiteral("top"));
    }
    list.setItemText(0, QStringLiteral("root!"));
    EXPECT_EQ(inserted.count(), 0);
    EXPECT_EQ(changed.count(), 0);

    list.setRedraw(true);
    // One insertion under the root, one at top level.
    ASSERT_EQ(inserted.count(), 2);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(reset.count(), 0);
    EXPECT_EQ(list.model()->rowCount(), 101);
    EXPECT_EQ(list.model()->rowCount(list.model()->index(0, 0)), 100);

    // With Redraw on, each change is told as it happens.
    list.AddItem(QStringLiteral("more"));
    list.setItemText(0, QStringLiteral("root"));
    EXPECT_EQ(inserted.count(), 3);
    EXPECT_EQ(changed.count(), 1);
}

TEST(OutlineListTest, ItemMembersKeepWhatIsWritten)
{
    OutlineList list;
    list.setFontName(QStringLiteral("標楷體"));
    list.setFontSize(20);
    list.AddItem(QStringLiteral("字"));
    list.AddItem(QStringLiteral("題"), 0);

    list.setItemData(0, -999999);
    list.setItemData(1, std::numeric_limits<qint32>::max());
    EXPECT_EQ(list.ItemData(0), -999999);
    EXPECT_EQ(list.ItemData(1), std::numeric_limits<qint32>::max());
    EXPECT_EQ(list.model()->index(0, OutlineListModel::TextColumn).data(OutlineListModel::DataRole),
              -999999);

    list.setItemFlag(0, 3);
    list.setItemFlag(1, QStringLiteral("2日\uF6A4月"));
    EXPECT_EQ(list.ItemFlag(0), QVariant(3));
    EXPECT_EQ(list.ItemFlag(1), QVariant(QStringLiteral("2日\uF6A4月")));

    // Items without a typeface of their own follow the list's.
    EXPECT_EQ(list.ItemFontName(0), QStringLiteral("標楷體"));
    EXPECT_EQ(list.ItemFontSize(0), 20);
    list.setItemFontName(1, QStringLiteral("Ombrel金文"));
    list.setItemFontSize(1, 12.0);
    list.setFontName(QStringLiteral("細明體"));
    list.setFontSize(24);
    EXPECT_EQ(list.ItemFontName(0), QStringLiteral("細明體"));
    EXPECT_EQ(list.ItemFontSize(0), 24);
    EXPECT_EQ(list.ItemFontName(1), QStringLiteral("Ombrel金文"));
    EXPECT_EQ(list.ItemFontSize(1), 12.0);

    list.setItemPicture(0, list.PictureComposite());
    EXPECT_EQ(list.ItemPicture(0).cacheKey(), list.PictureComposite().cacheKey());
    EXPECT_TRUE(list.ItemPicture(1).isNull());

    list.setItemMark(1, 20);
    EXPECT_EQ(list.ItemMark(1), 20);
    EXPECT_EQ(list.ItemMark(0), 0);

    EXPECT_EQ(list.ItemCell(1).RichText(), 0);
    list.ItemCell(1).setRichText(1);
    EXPECT_EQ(list.ItemCell(1).RichText(), 1);
    EXPECT_EQ(list.ItemCell(0).RichText(), 0);
}

TEST(OutlineListTest, TheStockPicturesAreFourDifferentPictures)
{
    OutlineList list;
    const QList<QImage> pictures = {list.PictureNode().toImage(), list.PictureUnknown().toImage(),
                                    list.PictureComposite().toImage(),
                                    list.PictureLeaf().toImage()};
    for (qsizetype i = 0; i < pictures.size(); ++i) {
        EXPECT_FALSE(pictures[i].isNull());
        for (qsizetype j = i + 1; j < pictures.size(); ++j)
            EXPECT_NE(pictures[i], pictures[j]) << i << " " << j;
    }
}

TEST(OutlineListTest, IndexesOutsideTheListReadEmptyAndIgnoreWrites)
{
    OutlineList list;
    list.AddItem(QStringLiteral("A"));
    list.setItemData(1, 7);
    list.setItemText(-1, QStringLiteral("x"));
    list.ItemCell(3).setRichText(1);
    list.RemoveItem(2);
    list.setExpanded(9, true);
    EXPECT_EQ(list.ItemText(1), QString());
    EXPECT_EQ(list.ItemData(1), 0);
    EXPECT_FALSE(list.ItemFlag(-1).isValid());
    EXPECT_EQ(list.ItemCell(3).RichText(), 0);
    EXPECT_EQ(itemTexts(list), QStringList({"A"}));
}

} // namespace

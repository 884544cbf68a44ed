#include "platform/vb/twips.h"
#include "vbprog/murvel/views/outlinelist.h"
#include "vbprog/murvel/views/outlinelistmodel.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>

namespace
{

QModelIndex shownIndex(const OutlineList &list, const QList<int> &rows)
{
    QModelIndex index;
    for (int row : rows)
        index = list.model()->index(row, 0, index);
    return index;
}

// The lazy expansion of the glyph views: an item whose children are not loaded yet carries
// one child with empty text, replaced by the real children when the user opens it.
void loadChildrenOnExpand(OutlineList &list, QList<int> &expandEvents)
{
    QObject::connect(&list, &OutlineList::Expand, &list, [&list, &expandEvents](int index) {
        expandEvents << index;
        if (list.ChildCount(index) != 1 || !list.ItemText(index + 1).isEmpty())
            return;
        list.RemoveItem(index + 1);
        list.setRedraw(false);
        list.AddItem(QStringLiteral("c1"), index);
        list.AddItem(QString(), list.NewIndex());
        list.AddItem(QStringLiteral("c2"), index);
        list.setRedraw(true);
    });
}

class OutlineListEventsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        list = new OutlineList(&window);
        other = new QLineEdit(&window);
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(list);
        layout->addWidget(other);
        window.resize(300, 400);
        tester = std::make_unique<QAbstractItemModelTester>(
            list->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    }

    void showWindow()
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Loads A (with a placeholder) and B (with a placeholder), as a loader does.
    void loadTwoComposites()
    {
        list->setRedraw(false);
        list->AddItem(QStringLiteral("A"));
        list->AddItem(QString(), 0);
        list->AddItem(QStringLiteral("B"));
        list->AddItem(QString(), 2);
        list->setRedraw(true);
    }

    QWidget window;
    OutlineList *list; // owned by window
    QLineEdit *other;  // owned by window
    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(OutlineListEventsTest, OpeningAnItemWithAPlaceholderLoadsItsChildren)
{
    QList<int> expandEvents;
    loadChildrenOnExpand(*list, expandEvents);
    loadTwoComposites();
    showWindow();
    list->setListIndex(2); // B
    list->setListIndex(0); // A: current, as the user's arrow key needs it

    QTest::keyClick(list, Qt::Key_Right);

    EXPECT_EQ(expandEvents, QList<int>({0}));
    EXPECT_EQ(list->ListCount(), 6);
    EXPECT_EQ(list->ItemText(1), QStringLiteral("c1"));
    EXPECT_EQ(list->ItemText(3), QStringLiteral("c2"));
    EXPECT_EQ(list->ItemText(4), QStringLiteral("B"));
    EXPECT_TRUE(list->Expanded(0));
    EXPECT_TRUE(list->isExpanded(shownIndex(*list, {0})));
    EXPECT_EQ(list->model()->rowCount(shownIndex(*list, {0})), 2);
    EXPECT_EQ(list->ListIndex(), 0);

    // Opening it again finds real children and loads nothing.
    list->setExpanded(0, false);
    QTest::keyClick(list, Qt::Key_Right);
    EXPECT_EQ(expandEvents, QList<int>({0, 0}));
    EXPECT_EQ(list->ListCount(), 6);

    // The mouse on B's branch sign.
    const QRect bRow = list->visualRect(list->model()->index(1, OutlineListModel::TextColumn));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      QPoint(bRow.left() - list->indentation() / 2, bRow.center().y()));
    EXPECT_EQ(expandEvents, QList<int>({0, 0, 4}));
    EXPECT_EQ(list->ItemText(5), QStringLiteral("c1"));
    EXPECT_EQ(list->model()->rowCount(shownIndex(*list, {1})), 2);
}

TEST_F(OutlineListEventsTest, ExpandingFromCodeSendsNoExpandEvent)
{
    QList<int> expandEvents;
    loadChildrenOnExpand(*list, expandEvents);
    loadTwoComposites();
    list->setExpanded(2, true);
    EXPECT_TRUE(expandEvents.isEmpty());
    EXPECT_TRUE(list->isExpanded(shownIndex(*list, {1})));
    EXPECT_EQ(list->ItemText(3), QString()); // the placeholder stays

    // An item expanded before the view knows it is shown expanded.
    list->setRedraw(false);
    list->AddItem(QStringLiteral("C"));
    list->setExpanded(4, true);
    list->AddItem(QStringLiteral("c"), 4);
    EXPECT_TRUE(list->Expanded(4));
    list->setRedraw(true);
    EXPECT_TRUE(list->isExpanded(shownIndex(*list, {2})));
    EXPECT_TRUE(expandEvents.isEmpty());
}

TEST_F(OutlineListEventsTest, SelectingAHiddenPlaceholderFromCodeLoadsNothing)
{
    // Selecting a placeholder under a closed item opens the item to show it; the loader
    // must not run then, or it would remove the item being selected.
    QList<int> expandEvents;
    loadChildrenOnExpand(*list, expandEvents);
    loadTwoComposites();
    showWindow();
    list->setListIndex(1);
    EXPECT_TRUE(expandEvents.isEmpty());
    EXPECT_EQ(list->ListCount(), 4);
    EXPECT_EQ(list->ListIndex(), 1);
}

TEST_F(OutlineListEventsTest, TheSelectionSurvivesABatchThatAddsItemsBeforeIt)
{
    loadTwoComposites();
    list->setListIndex(2); // B
    list->setRedraw(false);
    list->RemoveItem(1);
    list->AddItem(QStringLiteral("a1"), 0);
    list->AddItem(QStringLiteral("a2"), 0);
    list->setRedraw(true);
    EXPECT_EQ(list->ListIndex(), 3);
    EXPECT_EQ(list->ItemText(list->ListIndex()), QStringLiteral("B"));
}

TEST_F(OutlineListEventsTest, SelectFollowsTheUserAndListIndexButNotRemovals)
{
    loadTwoComposites();
    list->setExpanded(0, true);
    showWindow();
    QSignalSpy select(list, &OutlineList::Select);

    const QRect bRow = list->visualRect(list->model()->index(1, OutlineListModel::TextColumn));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, bRow.center());
    EXPECT_EQ(select.count(), 1);
    EXPECT_EQ(list->ListIndex(), 2);

    list->setListIndex(0);
    EXPECT_EQ(select.count(), 2);
    EXPECT_EQ(list->ListIndex(), 0);
    list->setListIndex(-1);
    EXPECT_EQ(select.count(), 3);
    EXPECT_EQ(list->ListIndex(), -1);

    list->setListIndex(2);
    select.clear();
    list->RemoveItem(2);
    list->Clear();
    EXPECT_EQ(select.count(), 0);
    EXPECT_EQ(list->ListIndex(), -1);
}

TEST_F(OutlineListEventsTest, FocusEventsLeaveTheSelectionToTheView)
{
    loadTwoComposites();
    showWindow();
    other->setFocus(Qt::MouseFocusReason);
    QSignalSpy gotFocus(list, &OutlineList::GotFocus);
    QSignalSpy lostFocus(list, &OutlineList::LostFocus);
    list->setFocus(Qt::MouseFocusReason);
    list->setListIndex(2);
    EXPECT_EQ(gotFocus.count(), 1);

    other->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(lostFocus.count(), 1);
    EXPECT_EQ(list->ListIndex(), 2);
}

// Records drags instead of running the platform's drag loop.
class RecordingList : public OutlineList
{
public:
    using OutlineList::OutlineList;
    QStringList dragged;

protected:
    void startDrag(Qt::DropActions) override
    {
        const std::unique_ptr<QMimeData> data(dragMimeData());
        dragged << (data != nullptr ? data->text() : QStringLiteral("(nothing)"));
    }
};

class OutlineListDragTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        list.resize(300, 300);
        list.AddItem(QStringLiteral("字"));
        list.AddItem(QStringLiteral("形"));
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    }

    void send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, at, list.viewport()->mapToGlobal(at), button, buttons,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(list.viewport(), &event);
    }

    // The largest move in pixels to the right of x that is still no more than 150 twips.
    int pixelsWithin150Twips(int x) const
    {
        const int dpi = list.logicalDpiX();
        int pixels = 0;
        while (vb::PixelsToTwips(x + pixels + 1, dpi) - vb::PixelsToTwips(x, dpi) <= 150)
            ++pixels;
        return pixels;
    }

    // A press at `from`, which selects the item there, and a move of `dx` pixels with the
    // same button held.
    void pressAndMove(QPoint from, int dx, Qt::MouseButton button)
    {
        send(QEvent::MouseButtonPress, from, button, button);
        send(QEvent::MouseMove, from + QPoint(dx, 0), Qt::NoButton, button);
        send(QEvent::MouseButtonRelease, from + QPoint(dx, 0), button, Qt::NoButton);
    }

    RecordingList list;
};

TEST_F(OutlineListDragTest, MouseEventsReportTwips)
{
    QSignalSpy down(&list, &OutlineList::MouseDown);
    QSignalSpy move(&list, &OutlineList::MouseMove);
    send(QEvent::MouseButtonPress, QPoint(20, 7), Qt::RightButton, Qt::RightButton);
    send(QEvent::MouseMove, QPoint(21, 8), Qt::NoButton, Qt::RightButton);
    ASSERT_EQ(down.count(), 1);
    EXPECT_EQ(down[0][0].toInt(), 2);
    EXPECT_EQ(down[0][2].toInt(), vb::PixelsToTwips(20, list.logicalDpiX()));
    EXPECT_EQ(down[0][3].toInt(), vb::PixelsToTwips(7, list.logicalDpiY()));
    ASSERT_EQ(move.count(), 1);
    EXPECT_EQ(move[0][0].toInt(), 2);
    EXPECT_EQ(move[0][2].toInt(), vb::PixelsToTwips(21, list.logicalDpiX()));
}

TEST_F(OutlineListDragTest, ALeftDragBeyond150TwipsCarriesTheSelectedText)
{
    const QPoint from =
        list.visualRect(list.model()->index(1, OutlineListModel::TextColumn)).center();
    const int within = pixelsWithin150Twips(from.x());
    pressAndMove(from, within, Qt::LeftButton);
    EXPECT_TRUE(list.dragged.isEmpty());
    pressAndMove(from, within + 1, Qt::LeftButton);
    EXPECT_EQ(list.dragged, QStringList({QStringLiteral("形")}));
}

TEST_F(OutlineListDragTest, NoDragFromTheEdgeWithTheRightButtonOrWithoutSelection)
{
    pressAndMove(QPoint(0, 5), 100, Qt::LeftButton);
    pressAndMove(QPoint(30, 0), 100, Qt::LeftButton);
    pressAndMove(QPoint(30, 5), 100, Qt::RightButton);
    EXPECT_TRUE(list.dragged.isEmpty());

    list.setListIndex(-1);
    send(QEvent::MouseButtonPress, QPoint(30, 250), Qt::LeftButton, Qt::LeftButton);
    list.setListIndex(-1);
    send(QEvent::MouseMove, QPoint(130, 250), Qt::NoButton, Qt::LeftButton);
    EXPECT_TRUE(list.dragged.isEmpty());
}

TEST_F(OutlineListDragTest, DragsOverTheListAreReportedInTwips)
{
    QSignalSpy over(&list, &OutlineList::DragOver);
    QMimeData data;
    data.setText(QStringLiteral("字"));
    QDragEnterEvent enter(QPoint(20, 8), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list.viewport(), &enter);
    QDragMoveEvent move(QPoint(22, 9), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list.viewport(), &move);
    QDragLeaveEvent leave;
    QCoreApplication::sendEvent(list.viewport(), &leave);

    ASSERT_EQ(over.count(), 3);
    EXPECT_EQ(over[0][3].toInt(), OutlineList::DragEnter);
    EXPECT_EQ(over[1][1].toInt(), vb::PixelsToTwips(22, list.logicalDpiX()));
    EXPECT_EQ(over[1][2].toInt(), vb::PixelsToTwips(9, list.logicalDpiY()));
    EXPECT_EQ(over[1][3].toInt(), OutlineList::DragOverItem);
    EXPECT_EQ(over[2][3].toInt(), OutlineList::DragLeave);
    EXPECT_FALSE(move.isAccepted()); // nothing is dropped on the list
}

} // namespace

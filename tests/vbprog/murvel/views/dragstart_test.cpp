#include "vbprog/murvel/views/dragstart.h"

#include <gtest/gtest.h>

namespace
{

constexpr int kLeft = 1;
constexpr int kRight = 2;

TEST(DragStartTest, StartsOnlyBeyond150TwipsAlongEitherAxis)
{
    DragStart drag;
    drag.press(1000, 1000);
    EXPECT_FALSE(drag.moveStarts(kLeft, 1150, 1000));
    EXPECT_FALSE(drag.moveStarts(kLeft, 850, 1150));
    EXPECT_TRUE(drag.moveStarts(kLeft, 1151, 1000));

    drag.press(1000, 1000);
    EXPECT_TRUE(drag.moveStarts(kLeft, 1000, 849));
}

TEST(DragStartTest, NeedsTheLeftButtonAndAPressAwayFromTheEdges)
{
    DragStart drag;
    drag.press(1000, 1000);
    EXPECT_FALSE(drag.moveStarts(kRight, 2000, 2000));
    EXPECT_TRUE(drag.moveStarts(kLeft | kRight, 2000, 2000));

    drag.press(0, 1000);
    EXPECT_FALSE(drag.moveStarts(kLeft, 2000, 2000));
    drag.press(1000, 0);
    EXPECT_FALSE(drag.moveStarts(kLeft, 2000, 2000));
}

TEST(DragStartTest, AStartDisarmsUntilTheNextPress)
{
    DragStart drag;
    EXPECT_FALSE(drag.moveStarts(kLeft, 2000, 2000)); // nothing pressed yet

    drag.press(1000, 1000);
    ASSERT_TRUE(drag.moveStarts(kLeft, 2000, 2000));
    EXPECT_FALSE(drag.moveStarts(kLeft, 3000, 3000));

    // A move that does not start keeps the press point.
    drag.press(1000, 1000);
    EXPECT_FALSE(drag.moveStarts(kRight, 3000, 3000));
    EXPECT_TRUE(drag.moveStarts(kLeft, 3000, 3000));
}

} // namespace

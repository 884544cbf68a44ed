#include "comAddIn/officehost/caretmap.h"

#include <gtest/gtest.h>

using officehost::CaretMap;
using officehost::SegmentSelection;

TEST(CaretMap, EveryUnitOfAStoryShowsAsOneUnit)
{
    // Word's marks: paragraph end, line break, picture, note reference, tab.
    const QString story = u"甲\r乙\v丙\x01丁\x02\t𠀀\r"_qs;
    const CaretMap map({{QString(), story}});
    const QString shown = map.displayText();
    ASSERT_EQ(shown.size(), story.size());
    EXPECT_EQ(shown, u"甲\n乙\u2028丙□丁□\t𠀀\n"_qs);
    // With no label, window positions are model positions.
    for (int i = 0; i <= story.size(); ++i) {
        EXPECT_EQ(map.toDisplay(0, i), i);
        EXPECT_EQ(map.toModel(i, i), (SegmentSelection{0, i, i}));
    }
}

TEST(CaretMap, LabelledSegmentsMapToTheirOwnPositions)
{
    const CaretMap map({{u"A1"_qs, u"甲乙"_qs}, {u"B2"_qs, QString()}, {u"C3"_qs, u"丙"_qs}});
    EXPECT_EQ(map.displayText(), u"A1\t甲乙\nB2\t\nC3\t丙"_qs);
    EXPECT_EQ(map.toDisplay(0, 1), 4);
    EXPECT_EQ(map.toDisplay(1, 0), 9);
    EXPECT_EQ(map.toDisplay(2, 1), 14);
    // Out of the segment's text: clamped; an unknown segment is not shown.
    EXPECT_EQ(map.toDisplay(0, 9), 5);
    EXPECT_EQ(map.toDisplay(3, 0), -1);

    EXPECT_EQ(map.toModel(4, 5), (SegmentSelection{0, 1, 2}));
    EXPECT_EQ(map.toModel(5, 4), (SegmentSelection{0, 1, 2})); // anchor after the caret
    // A caret in a label stands at the start of its segment's text.
    EXPECT_EQ(map.toModel(0, 0), (SegmentSelection{0, 0, 0}));
    EXPECT_EQ(map.toModel(12, 12), (SegmentSelection{2, 0, 0}));
    // A span over several segments stays in the first, up to its end.
    EXPECT_EQ(map.toModel(4, 14), (SegmentSelection{0, 1, 2}));
    // Round trip at every position of every text.
    for (int segment = 0; segment < 3; ++segment) {
        for (int i = 0; i <= 2; ++i) {
            const int shown = map.toDisplay(segment, i);
            const auto back = map.toModel(shown, shown);
            ASSERT_TRUE(back);
            EXPECT_EQ(back->segment, segment);
            EXPECT_EQ(map.toDisplay(back->segment, back->start), shown);
        }
    }
}

TEST(CaretMap, AWholeSegmentSpansItsLabelAndEveryLineOfItsText)
{
    const CaretMap map({{u"A1"_qs, u"甲乙"_qs}, {u"B2"_qs, u"丙\n丁"_qs}, {u"C3"_qs, QString()}});
    ASSERT_EQ(map.displayText(), u"A1\t甲乙\nB2\t丙\n丁\nC3\t"_qs);
    EXPECT_EQ(map.segmentSpan(0), std::make_pair(0, 5));
    EXPECT_EQ(map.segmentSpan(1), std::make_pair(6, 12));
    EXPECT_EQ(map.segmentSpan(2), std::make_pair(13, 16));
    EXPECT_EQ(map.segmentSpan(3), std::make_pair(-1, -1));
}

TEST(CaretMap, NoSegmentsGiveNoSelection)
{
    const CaretMap map;
    EXPECT_TRUE(map.displayText().isEmpty());
    EXPECT_FALSE(map.toModel(0, 0));
}

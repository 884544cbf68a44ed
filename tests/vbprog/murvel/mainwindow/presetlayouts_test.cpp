#include "vbprog/murvel/mainwindow/presetlayouts.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"

#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>

// Found by GoogleTest's printer through argument-dependent lookup.
void PrintTo(const TwipsRect &rect, std::ostream *out)
{
    *out << "{" << rect.left << ", " << rect.top << ", " << rect.width << ", " << rect.height
         << "}";
}

namespace
{

using namespace WindowKinds;

const PresetLayout &layout(PresetFamily family, int number)
{
    const PresetLayout *found = FindPresetLayout(family, number);
    EXPECT_NE(found, nullptr);
    return *found;
}

// Three tiles of 3000 x 6000 twips; the upper windows 3000 high, the lower 2999 below.
const QSize kClient(9000, 6000);
constexpr TwipsRect kLeftTile{0, 0, 3000, 6000};
constexpr TwipsRect kMiddleTile{3000, 0, 3000, 6000};
constexpr TwipsRect kRightTile{6000, 0, 3000, 6000};
constexpr TwipsRect kMiddleUpper{3000, 0, 3000, 3000};
constexpr TwipsRect kMiddleLower{3000, 3000, 3000, 2999};
constexpr TwipsRect kRightUpper{6000, 0, 3000, 3000};
constexpr TwipsRect kRightLower{6000, 3000, 3000, 2999};

struct GeometryCase {
    PresetFamily family;
    int number;
    std::map<int, TwipsRect> expected;
};

class PresetGeometryTest : public ::testing::TestWithParam<GeometryCase>
{
};

TEST_P(PresetGeometryTest, TilesTheMiniatureSideBySideAndSplitsItsColumns)
{
    const GeometryCase &test = GetParam();
    EXPECT_EQ(PresetGeometry(layout(test.family, test.number), KangxiRadicals, kClient),
              test.expected);
}

INSTANTIATE_TEST_SUITE_P(
    EveryLayout, PresetGeometryTest,
    ::testing::Values(
        GeometryCase{
            PresetFamily::Simple,
            1,
            {{Derivation, kLeftTile}, {Structure, kMiddleTile}, {KangxiRadicals, kRightTile}}},
        GeometryCase{
            PresetFamily::Simple,
            2,
            {{Derivation, kLeftTile}, {VariantCharacters, kMiddleTile}, {Structure, kRightTile}}},
        GeometryCase{
            PresetFamily::Simple,
            3,
            {{Derivation, kLeftTile}, {VariantCharacters, kMiddleTile}, {Index, kRightTile}}},
        GeometryCase{PresetFamily::Simple,
                     4,
                     {{Derivation, kLeftTile}, {Structure, kMiddleTile}, {Index, kRightTile}}},
        GeometryCase{PresetFamily::Advanced,
                     1,
                     {{Derivation, kLeftTile},
                      {VariantCharacters, kMiddleTile},
                      {Structure, kRightUpper},
                      {Evolution, kRightLower}}},
        GeometryCase{PresetFamily::Advanced,
                     2,
                     {{Derivation, kLeftTile},
                      {Structure, kMiddleTile},
                      {VariantCharacters, kRightUpper},
                      {Evolution, kRightLower}}},
        GeometryCase{PresetFamily::Advanced,
                     3,
                     {{Derivation, kLeftTile},
                      {Structure, kMiddleUpper},
                      {VariantCharacters, kMiddleLower},
                      {Index, kRightUpper},
                      {Evolution, kRightLower}}},
        GeometryCase{PresetFamily::Advanced,
                     4,
                     {{Derivation, kLeftTile},
                      {Structure, kMiddleUpper},
                      {VariantCharacters, kMiddleLower},
                      {KangxiRadicals, kRightUpper},
                      {VariantComponents, kRightLower}}}));

TEST(PresetGeometry, UnevenAreasKeepTheTilesAdjacentAndSplitWithoutRounding)
{
    const auto geometry =
        PresetGeometry(layout(PresetFamily::Advanced, 1), KangxiRadicals, QSize(10000, 6001));

    EXPECT_EQ(geometry.at(Derivation), (TwipsRect{0, 0, 3333, 6001}));
    EXPECT_EQ(geometry.at(VariantCharacters), (TwipsRect{3333, 0, 3333, 6001}));
    EXPECT_EQ(geometry.at(Structure), (TwipsRect{6666, 0, 3334, 3000.5f}));
    EXPECT_EQ(geometry.at(Evolution), (TwipsRect{6666, 3000.5f, 3334, 2999.5f}));
}

TEST(PresetGeometry, PixelsOfAdjacentTilesShareTheirEdges)
{
    constexpr double dpi = 96; // 15 twips to the pixel
    const std::vector<TwipsRect> tiles = TileSideBySide(QSize(10000, 6000), 3);
    ASSERT_EQ(tiles.size(), 3u);

    const QRect left = TwipsRectToPixels(tiles[0], dpi);
    const QRect middle = TwipsRectToPixels(tiles[1], dpi);
    const QRect right = TwipsRectToPixels(tiles[2], dpi);
    EXPECT_EQ(left, QRect(0, 0, 222, 400));
    EXPECT_EQ(middle.left(), left.right() + 1);
    EXPECT_EQ(right.left(), middle.right() + 1);
    EXPECT_EQ(right.right() + 1, 667);

    EXPECT_EQ(TwipsRectToPixels(kRightLower, dpi), QRect(400, 200, 200, 200));
}

TEST(PresetLayouts, OnlyNumbersOneToFourNameALayout)
{
    for (PresetFamily family : {PresetFamily::Simple, PresetFamily::Advanced}) {
        for (int number : {-1, 0, 5})
            EXPECT_EQ(FindPresetLayout(family, number), nullptr) << number;
    }
}

TEST(PresetLayouts, RadicalListFollowsTheScript)
{
    const PresetLayout &simple = layout(PresetFamily::Simple, 1);
    for (const char *script : {"小篆", "金文", "甲骨文", "楚系文字"})
        EXPECT_EQ(RadicalListKind(simple, script), ShuowenRadicals) << script;
    EXPECT_EQ(RadicalListKind(simple, "楷書"), KangxiRadicals);

    const PresetLayout &advanced = layout(PresetFamily::Advanced, 4);
    EXPECT_EQ(RadicalListKind(advanced, "小篆"), ShuowenRadicals);
    for (const char *script : {"金文", "甲骨文", "楚系文字", "楷書"})
        EXPECT_EQ(RadicalListKind(advanced, script), KangxiRadicals) << script;
}

// Child windows by kind in load order, and a log of what the layout asked of them.
class FakeTarget : public PresetTarget
{
public:
    explicit FakeTarget(std::vector<int> loaded) : loaded_(std::move(loaded)) {}

    std::vector<int> childKinds() const override { return loaded_; }
    void closeChild(int kind) override
    {
        log << QString("close %1").arg(kind);
        std::erase(loaded_, kind);
    }
    void openRadicalList(int kind) override
    {
        log << QString("radical list %1").arg(kind);
        const auto list = std::ranges::find_if(loaded_, [](int k) { return k >= 1 && k <= 10; });
        if (list == loaded_.end())
            loaded_.push_back(kind);
        else
            *list = kind;
    }
    void openView(int kind) override
    {
        log << QString("open %1").arg(kind);
        if (std::ranges::find(loaded_, kind) == loaded_.end())
            loaded_.push_back(kind);
    }
    void focusChild(int kind) override { log << QString("focus %1").arg(kind); }
    void setChildVisible(int kind, bool visible) override
    {
        log << QString(visible ? "show %1" : "hide %1").arg(kind);
    }
    QSize clientAreaTwips() const override { return kClient; }
    void setChildGeometry(int kind, const TwipsRect &rect) override
    {
        log << QString("place %1").arg(kind);
        geometry[kind] = rect;
    }

    std::vector<int> loaded() const
    {
        std::vector<int> sorted = loaded_;
        std::ranges::sort(sorted);
        return sorted;
    }

    QStringList log;
    std::map<int, TwipsRect> geometry;

private:
    std::vector<int> loaded_;
};

TEST(ApplyPresetLayout, ClosesWhatTheLayoutDropsAndOpensItsViewsInOrder)
{
    // 八卦 list (9), VariantComponents (14) and Evolution (15) are closed; 14 and 15 stand side by
    // side.
    FakeTarget target({Derivation, VariantComponents, Evolution, 9});
    ApplyPresetLayout(target, layout(PresetFamily::Simple, 2), "楷書");

    EXPECT_EQ(target.log, QStringList({"close 14", "close 15", "close 9", "open 12", "focus 12",
                                       "open 13", "focus 13", "open 11", "focus 11", "place 11",
                                       "place 12", "place 13", "focus 11"}));
    EXPECT_EQ(target.loaded(), (std::vector<int>{Derivation, Structure, VariantCharacters}));
    EXPECT_EQ(target.geometry.at(Derivation), kLeftTile);
    EXPECT_EQ(target.geometry.at(VariantCharacters), kMiddleTile);
    EXPECT_EQ(target.geometry.at(Structure), kRightTile);
}

TEST(ApplyPresetLayout, LowerWindowsStayHiddenUntilPlacedThenShowInOpeningOrder)
{
    FakeTarget target({});
    ApplyPresetLayout(target, layout(PresetFamily::Advanced, 3), "楷書");

    EXPECT_EQ(target.log,
              QStringList({"open 16", "focus 16", "open 12", "focus 12", "open 13", "hide 13",
                           "open 15", "hide 15", "open 11", "focus 11", "place 11", "place 12",
                           "place 13", "place 15", "place 16", "show 13", "show 15", "focus 11"}));
}

TEST(ApplyPresetLayout, ReloadsTheStructureViewAndTurnsTheComponentListIntoTheRadicalList)
{
    FakeTarget target({Structure, 3, Derivation});
    ApplyPresetLayout(target, layout(PresetFamily::Simple, 1), "金文");

    EXPECT_EQ(target.log.mid(0, 4),
              QStringList({"close 12", "radical list 8", "open 12", "focus 12"}));
    EXPECT_EQ(target.loaded(), (std::vector<int>{ShuowenRadicals, Derivation, Structure}));
    EXPECT_EQ(target.geometry.at(ShuowenRadicals), kRightTile);
}

TEST(ApplyPresetLayout, AdvancedFourKeepsTheVariantComponentViewAndAnyComponentList)
{
    FakeTarget target({9, VariantComponents, Evolution, Index});
    ApplyPresetLayout(target, layout(PresetFamily::Advanced, 4), "楷書");

    EXPECT_EQ(target.log.mid(0, 3), QStringList({"close 15", "close 16", "radical list 7"}));
    EXPECT_EQ(target.loaded(), (std::vector<int>{KangxiRadicals, Derivation, Structure,
                                                 VariantCharacters, VariantComponents}));
    EXPECT_EQ(target.geometry.at(KangxiRadicals), kRightUpper);
    EXPECT_EQ(target.geometry.at(VariantComponents), kRightLower);
    EXPECT_EQ(target.log.last(), "focus 11");
}

} // namespace

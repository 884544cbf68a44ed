#include "vbprog/murvel/mainwindow/presetlayouts.h"

#include "platform/vb/integers.h"
#include "platform/vb/twips.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"

#include <algorithm>
#include <array>

namespace
{

using namespace WindowKinds;

// The component lists 1..10 followed by the given view kinds.
std::vector<int> componentListsAnd(std::initializer_list<int> viewKinds)
{
    std::vector<int> kinds;
    for (int kind = FirstComponentList; kind <= LastComponentList; ++kind)
        kinds.push_back(kind);
    kinds.insert(kinds.end(), viewKinds);
    return kinds;
}

// A view that keeps the focus when opened, and one hidden until the split.
constexpr PresetView focused(int kind)
{
    return {kind, false};
}
constexpr PresetView lower(int kind)
{
    return {kind, true};
}

const std::array<PresetLayout, 4> &simpleLayouts()
{
    static const std::array<PresetLayout, 4> layouts{{
        // 簡易瀏覽一
        {.closeKinds = {Structure, VariantCharacters, VariantComponents, Evolution, Index},
         .opensRadicalList = true,
         .scriptsWith說文解字部首 = {"金文", "小篆", "甲骨文", "楚系文字"},
         .views = {focused(Structure), focused(Derivation)}},
        // 簡易瀏覽二
        {.closeKinds = componentListsAnd({VariantComponents, Evolution, Index}),
         .views = {focused(Structure), focused(VariantCharacters), focused(Derivation)}},
        // 簡易瀏覽三
        {.closeKinds = componentListsAnd({Structure, VariantComponents, Evolution}),
         .views = {focused(Index), focused(VariantCharacters), focused(Derivation)}},
        // 簡易瀏覽四
        {.closeKinds = componentListsAnd({VariantCharacters, VariantComponents, Evolution}),
         .views = {focused(Index), focused(Structure), focused(Derivation)}},
    }};
    return layouts;
}

const std::array<PresetLayout, 4> &advancedLayouts()
{
    static const std::array<PresetLayout, 4> layouts{{
        // 預設瀏覽一
        {.closeKinds = componentListsAnd({VariantComponents, Index}),
         .views = {focused(Structure), focused(VariantCharacters), lower(Evolution),
                   focused(Derivation)},
         .splits = {{Structure, Evolution}}},
        // 預設瀏覽二
        {.closeKinds = componentListsAnd({VariantComponents, Index}),
         .views = {focused(VariantCharacters), focused(Structure), lower(Evolution),
                   focused(Derivation)},
         .splits = {{VariantCharacters, Evolution}}},
        // 預設瀏覽三
        {.closeKinds = componentListsAnd({VariantComponents}),
         .views = {focused(Index), focused(Structure), lower(VariantCharacters), lower(Evolution),
                   focused(Derivation)},
         .splits = {{Structure, VariantCharacters}, {Index, Evolution}}},
        // 預設瀏覽四
        {.closeKinds = {Evolution, Index},
         .opensRadicalList = true,
         .scriptsWith說文解字部首 = {"小篆"},
         .views = {focused(Structure), lower(VariantCharacters), lower(VariantComponents),
                   focused(Derivation)},
         .splits = {{Structure, VariantCharacters}, {PresetRadicalList, VariantComponents}}},
    }};
    return layouts;
}

int resolved(int kind, int radicalKind)
{
    return kind == PresetRadicalList ? radicalKind : kind;
}

} // namespace

const PresetLayout *FindPresetLayout(PresetFamily family, int number)
{
    if (number < 1 || number > 4)
        return nullptr;
    const auto &layouts = family == PresetFamily::Simple ? simpleLayouts() : advancedLayouts();
    return &layouts[static_cast<std::size_t>(number - 1)];
}

int RadicalListKind(const PresetLayout &layout, const QString &script)
{
    return layout.scriptsWith說文解字部首.contains(script) ? ShuowenRadicals : KangxiRadicals;
}

std::vector<PresetColumn> PresetColumns(const PresetLayout &layout)
{
    std::vector<int> focusOrder;
    if (layout.opensRadicalList)
        focusOrder.push_back(PresetRadicalList);
    for (const PresetView &view : layout.views) {
        if (!view.lower)
            focusOrder.push_back(view.kind);
    }

    std::vector<PresetColumn> columns;
    for (auto kind = focusOrder.rbegin(); kind != focusOrder.rend(); ++kind) {
        PresetColumn column{*kind};
        const auto split = std::ranges::find_if(
            layout.splits, [&](const PresetColumn &s) { return s.upper == *kind; });
        if (split != layout.splits.end())
            column.lower = split->lower;
        columns.push_back(column);
    }
    return columns;
}

std::vector<TwipsRect> TileSideBySide(QSize clientTwips, int count)
{
    std::vector<TwipsRect> tiles;
    const qint64 width = clientTwips.width();
    for (int i = 0; i < count; ++i) {
        const qint64 left = i * width / count;
        const qint64 right = (i + 1) * width / count;
        tiles.push_back({static_cast<float>(left), 0, static_cast<float>(right - left),
                         static_cast<float>(clientTwips.height())});
    }
    return tiles;
}

std::map<int, TwipsRect> PresetGeometry(const PresetLayout &layout, int radicalKind,
                                        QSize clientTwips)
{
    const std::vector<PresetColumn> columns = PresetColumns(layout);
    const std::vector<TwipsRect> tiles =
        TileSideBySide(clientTwips, static_cast<int>(columns.size()));

    std::map<int, TwipsRect> geometry;
    for (std::size_t i = 0; i < columns.size(); ++i)
        geometry[resolved(columns[i].upper, radicalKind)] = tiles[i];

    // Every upper window takes half the height of 字形孳乳's tile; the lower window sits
    // under it, one twip shorter.
    const float upperHeight = geometry.at(Derivation).height / 2;
    for (const PresetColumn &split : layout.splits) {
        TwipsRect &upper = geometry.at(resolved(split.upper, radicalKind));
        upper.height = upperHeight;
        geometry[split.lower] = {upper.left, upper.height, upper.width, upper.height - 1};
    }
    return geometry;
}

QRect TwipsRectToPixels(const TwipsRect &rect, double dpi)
{
    const auto pixels = [dpi](double twips) {
        return static_cast<int>(vb::RoundHalfEven(twips * dpi / vb::kTwipsPerInch));
    };
    const int left = pixels(rect.left);
    const int top = pixels(rect.top);
    return {left, top, pixels(double(rect.left) + rect.width) - left,
            pixels(double(rect.top) + rect.height) - top};
}

void ApplyPresetLayout(PresetTarget &target, const PresetLayout &layout, const QString &script)
{
    for (int kind : target.childKinds()) {
        if (std::ranges::find(layout.closeKinds, kind) != layout.closeKinds.end())
            target.closeChild(kind);
    }

    const int radicalKind = RadicalListKind(layout, script);
    if (layout.opensRadicalList)
        target.openRadicalList(radicalKind);

    for (const PresetView &view : layout.views) {
        target.openView(view.kind);
        if (view.lower)
            target.setChildVisible(view.kind, false);
        else
            target.focusChild(view.kind);
    }

    for (const auto &[kind, rect] : PresetGeometry(layout, radicalKind, target.clientAreaTwips()))
        target.setChildGeometry(kind, rect);

    for (const PresetView &view : layout.views) {
        if (view.lower)
            target.setChildVisible(view.kind, true);
    }
    target.focusChild(Derivation);
}

// Lookups on the synthetic databases: a glyph by its text and by its number as the main
// window's panel shows it, and by a typed formula at each of the five search levels.

#include "synthetic/syntheticdatabases.h"
#include "synthetic/syntheticprobes.h"
#include "vbprog/murvel/core/formulasearch.h"
#include "vbprog/murvel/core/glyphattributes.h"
#include "vbprog/murvel/core/公用變數.h"

namespace
{

const QString RegularFace = QStringLiteral("標楷體");

// The 編號 of the regular glyph, with gRs檢字表 pointed at the regular script as a lookup
// leaves it; nullopt when the synthetic databases lack it.
std::optional<qint32> numberOf(const QString &glyph)
{
    gRs檢字表 = gRs檢字表楷書;
    return RegularNumber(glyph);
}

// The glyph by its text, then its panel: what Enter in txt字形 does before the broadcast.
void BM_LookUpGlyphByText(benchmark::State &state)
{
    if (!OpenSyntheticDatabases(state))
        return;
    const QString glyph = SyntheticProbes::ThreeLevelGlyph;
    GlyphPanel panel;
    for (auto _ : state) {
        const std::optional<qint32> number = numberOf(glyph);
        ShowGlyphAttributes(panel, RegularFace, number.value_or(-1));
        ShowGlyphFormula(panel, RegularFace, glyph, number.value_or(-1));
    }
    if (panel.text("txt字形") != glyph)
        state.SkipWithError("the panel does not show the glyph looked up");
}
BENCHMARK(BM_LookUpGlyphByText)->Unit(benchmark::kMicrosecond);

// The glyph by its number, then its panel: what Enter in txt編號 does before the broadcast.
void BM_LookUpGlyphByNumber(benchmark::State &state)
{
    if (!OpenSyntheticDatabases(state))
        return;
    const std::optional<qint32> number = numberOf(SyntheticProbes::ThreeLevelGlyph);
    if (!number) {
        state.SkipWithError("the synthetic databases lack the glyph looked up");
        return;
    }
    GlyphPanel panel;
    for (auto _ : state) {
        ShowGlyphAttributes(panel, RegularFace, *number);
        ShowGlyphFormula(panel, RegularFace, panel.text("txt字形"), *number);
    }
    if (panel.text("txt編號") != QString::number(*number))
        state.SkipWithError("the panel does not show the number looked up");
}
BENCHMARK(BM_LookUpGlyphByNumber)->Unit(benchmark::kMicrosecond);

// The formula search for a formula that the given level finds (1: the formula itself ...
// 5: its root set with variant roots), after missing at every level before it.
void BM_LookUpGlyphByFormula(benchmark::State &state)
{
    if (!OpenSyntheticDatabases(state))
        return;
    const int level = static_cast<int>(state.range(0));
    const QString typed = SyntheticProbes::TypedFormulaForLevel(level);
    const std::optional<qint32> expected = numberOf(SyntheticProbes::ProbeGlyph);
    QString similar;
    if (!expected || FindGlyphByFormula(typed, similar).number != *expected) {
        state.SkipWithError("the search does not find the probe glyph");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(FindGlyphByFormula(typed, similar));
}
BENCHMARK(BM_LookUpGlyphByFormula)
    ->DenseRange(SyntheticProbes::FirstLevel, SyntheticProbes::LastLevel)
    ->ArgName("level")
    ->Unit(benchmark::kMicrosecond);

} // namespace

#include "bench/sampledatabases.h"
#include "vbprog/murvel/core/formula.h"
#include "vbprog/murvel/core/formulasearch.h"

#include <benchmark/benchmark.h>

namespace
{

// Times the search of one formula, which must find a glyph.
void searchFormula(benchmark::State &state, const QString &formula)
{
    if (!openSampleDatabases()) {
        state.SkipWithError("the sample databases cannot be opened");
        return;
    }
    QString similar;
    if (FindGlyphByFormula(formula, similar).number <= 0) {
        state.SkipWithError("the sample databases do not hold the formula's glyph");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(FindGlyphByFormula(formula, similar));
}

const QString Side = OperatorSymbol(OperatorCodes::Beside);

// 明 by its own formula (level 1).
void BM_FormulaFoundByItself(benchmark::State &state)
{
    searchFormula(state, "日" + Side + "月");
}

// 休 (亻 beside 木) typed as 木 beside 人: found only by its variant root set (level 5).
void BM_FormulaFoundByVariantRootSet(benchmark::State &state)
{
    searchFormula(state, "木" + Side + "人");
}

BENCHMARK(BM_FormulaFoundByItself);
BENCHMARK(BM_FormulaFoundByVariantRootSet);

} // namespace

// The rich text of a long text with formulas, on the synthetic databases.

#include "synthetic/syntheticdatabases.h"
#include "synthetic/syntheticprobes.h"
#include "vbprog/murvel/core/formula.h"
#include "vbprog/murvel/core/glyphrtf.h"

namespace
{

// A text of 1,000 characters: running text with a formula every few characters, one that
// the database holds, one three levels deep and one that it lacks.
QString textWithFormulas()
{
    const QString above = OperatorSymbol(OperatorCodes::Above);
    const QString beside = OperatorSymbol(OperatorCodes::Beside);
    const QString piece = QStringLiteral("其萬年永寶用") +
                          SyntheticProbes::TypedFormulaForLevel(1) + QStringLiteral("子孫") +
                          SyntheticProbes::ProbeGlyph + above + QStringLiteral("木") +
                          QStringLiteral("王曰") + QStringLiteral("口") + beside +
                          SyntheticProbes::ReservedRoot + QStringLiteral("未知");
    return piece.repeated(1000 / piece.size() + 1).left(1000);
}

void BM_FormulaTextToRtfOnLargeDatabase(benchmark::State &state)
{
    if (!OpenSyntheticDatabases(state))
        return;
    const QString text = textWithFormulas();
    for (auto _ : state)
        benchmark::DoNotOptimize(FormulaTextToRtf(text, QStringLiteral("標楷體")));
    state.SetItemsProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_FormulaTextToRtfOnLargeDatabase)->Unit(benchmark::kMicrosecond);

} // namespace

#include "bench/sampledatabases.h"
#include "vbprog/murvel/core/formula.h"
#include "vbprog/murvel/core/glyphrtf.h"

#include <benchmark/benchmark.h>

namespace
{

// A text of about 1,000 characters: running text with a formula every few characters,
// found and missing ones alike, as a bronze vessel name or a long note would hold them.
QString textWithFormulas()
{
    const QString side = OperatorSymbol(OperatorCodes::Beside);
    const QString above = OperatorSymbol(OperatorCodes::Above);
    const QString piece = "大盂鼎銘文" + QString("日") + side + "月" + "王曰" + "女" + side + "子" +
                          "其萬年" + "田" + above + "力" + "永寶用" + "口" + side + "未知";
    return piece.repeated(1000 / piece.size() + 1).left(1000);
}

void BM_FormulaTextToRtf(benchmark::State &state)
{
    if (!openSampleDatabases()) {
        state.SkipWithError("the sample databases cannot be opened");
        return;
    }
    const QString text = textWithFormulas();
    for (auto _ : state)
        benchmark::DoNotOptimize(FormulaTextToRtf(text, QStringLiteral("標楷體")));
}

BENCHMARK(BM_FormulaTextToRtf);

} // namespace

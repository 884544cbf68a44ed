#include "sampledatabases.h"
#include "vbprog/murvel/core/recordfields.h"
#include "vbprog/murvel/views/frm異體字根.h"
#include "vbprog/murvel/views/frm異體字表.h"
#include "vbprog/murvel/views/outlinelist.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace
{

// The regular 編號 of a glyph of the sample databases; 0 when they lack it.
qint32 regularNumber(const QString &glyph)
{
    jet::Table table = gRs檢字表楷書;
    if (!table.setIndex("字形") || !table.seek(glyph))
        return 0;
    return Int32Field(table.value("編號")).value_or(0);
}

// Times one view's load of a glyph's variant groups, list built and shown; the view stands
// alone, without the main window.
template<typename View> void loadGroups(benchmark::State &state, const QString &glyph)
{
    if (!openSampleDatabases()) {
        state.SkipWithError("the sample databases cannot be opened");
        return;
    }
    const qint32 number = regularNumber(glyph);
    View view;
    view.resize(300, 400);
    view.show();
    view.load();
    view.載入字形(QStringLiteral("標楷體"), glyph, number);
    if (view.list()->ListCount() < 2) {
        state.SkipWithError("the sample databases hold no variant group of the glyph");
        return;
    }
    for (auto _ : state) {
        view.載入字形(QStringLiteral("標楷體"), glyph, number);
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * view.list()->ListCount());
}

// 線 heads a group of variant characters with their category marks.
void BM_VariantCharacterGroup(benchmark::State &state)
{
    loadGroups<frm異體字表>(state, QStringLiteral("線"));
}
BENCHMARK(BM_VariantCharacterGroup)->Unit(benchmark::kMicrosecond);

// 亻 is a member of a group of variant components: a root over the group.
void BM_VariantComponentGroup(benchmark::State &state)
{
    loadGroups<frm異體字根>(state, QStringLiteral("亻"));
}
BENCHMARK(BM_VariantComponentGroup)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

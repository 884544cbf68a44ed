#include "sampledatabases.h"
#include "vbprog/murvel/core/recordfields.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/views/frm字形結構.h"
#include "vbprog/murvel/views/outlinelist.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace
{

// 湖 is 氵 beside 胡, 胡 is 古 beside 月, 古 is 十 over 口: three levels of composites.
const QString Glyph = QStringLiteral("湖");

qint32 regularNumber(const QString &glyph)
{
    jet::Table table = gRs檢字表楷書;
    if (!table.setIndex("字形") || !table.seek(glyph))
        return 0;
    return Int32Field(table.value("編號")).value_or(0);
}

// Opens every item that still holds its placeholder, as a user opening the whole tree does.
int openAll(OutlineList &list)
{
    int opened = 0;
    for (int i = 0; i < list.ListCount(); ++i) {
        if (list.ChildCount(i) == 1 && list.ItemText(i + 1).isEmpty()) {
            emit list.Expand(i);
            ++opened;
        }
    }
    return opened;
}

// The view's load of the glyph (root and first level) and the opening of its composite
// components down to the roots, on a view that stands alone, shown.
void BM_ThreeLevelTree(benchmark::State &state)
{
    if (!openSampleDatabases()) {
        state.SkipWithError("the sample databases cannot be opened");
        return;
    }
    const qint32 number = regularNumber(Glyph);
    frm字形結構 view;
    view.resize(300, 400);
    view.show();
    view.load();
    int items = 0;
    for (auto _ : state) {
        view.載入字形(QStringLiteral("標楷體"), Glyph, number);
        openAll(*view.list());
        QCoreApplication::processEvents();
        items = view.list()->ListCount();
    }
    if (items < 7)
        state.SkipWithError("the sample databases lack the three levels of the glyph");
    state.counters["items"] = items;
}
BENCHMARK(BM_ThreeLevelTree)->Unit(benchmark::kMicrosecond);

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

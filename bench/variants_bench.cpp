// The variant views: a glyph's variant group loaded into each, in the real main window on
// the synthetic databases.

#include "bench/syntheticmainwindow.h"
#include "synthetic/syntheticdatabases.h"
#include "vbprog/murvel/core/scriptfaces.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"
#include "vbprog/murvel/views/frm異體字根.h"
#include "vbprog/murvel/views/frm異體字表.h"
#include "vbprog/murvel/views/outlinelist.h"

#include <QCoreApplication>

namespace
{

// The head of the first group of three variant characters, which has a character of its own.
QString HeadOfGroupOfThree()
{
    const jet::Result<jet::Snapshot> heads = gDb楷書.openSnapshot(QStringLiteral(
        "SELECT 檢字表.字形 FROM 檢字表 INNER JOIN 異體字表 ON 檢字表.編號 = 異體字表.編號 "
        "WHERE 異體字表.形碼 = 1 And 檢字表.字形 Is Not Null And 異體字表.組號 In "
        "(SELECT 組號 FROM 異體字表 GROUP BY 組號 HAVING Count(*) = 3) ORDER BY 異體字表.組號"));
    return heads && !heads->eof() ? heads->value(0).toString() : QString();
}

// Times one view's load of the glyph's variant groups, list built and drawn; `items` is what
// the list must hold afterwards.
template<typename View>
void loadGroups(benchmark::State &state, int kind, const QString &glyph, int items)
{
    auto *view = OpenView<View>(state, kind);
    if (view == nullptr)
        return;
    const std::optional<qint32> number = RegularNumber(glyph);
    if (!number) {
        state.SkipWithError("the synthetic databases lack the glyph");
        return;
    }
    // The panel shows the glyph, as when it reaches the view from a lookup or a selection.
    LookUpGlyphNumber(*SyntheticMainWindow(state), *number);
    for (auto _ : state) {
        view->載入字形(Faces::Kai, glyph, *number);
        QCoreApplication::processEvents();
    }
    if (const int shown = view->list()->ListCount(); shown != items)
        state.SkipWithError(QStringLiteral("the list holds %1 items, not the %2 of the glyph's "
                                           "variant group")
                                .arg(shown)
                                .arg(items)
                                .toUtf8()
                                .constData());
    state.counters["items"] = view->list()->ListCount();
}

// The members of the glyph's group of three, the glyph first.
void BM_VariantCharacterGroup(benchmark::State &state)
{
    if (SyntheticMainWindow(state) == nullptr)
        return;
    loadGroups<frm異體字表>(state, WindowKinds::VariantCharacters, HeadOfGroupOfThree(), 3);
}
BENCHMARK(BM_VariantCharacterGroup)->Unit(benchmark::kMicrosecond);

// 亻 at the root, and below it its group of variant components: 人 and 亻.
void BM_VariantComponentGroup(benchmark::State &state)
{
    loadGroups<frm異體字根>(state, WindowKinds::VariantComponents, QStringLiteral("亻"), 3);
}
BENCHMARK(BM_VariantComponentGroup)->Unit(benchmark::kMicrosecond);

} // namespace

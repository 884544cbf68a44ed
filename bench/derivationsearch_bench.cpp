// The derivation view's whole search for 口 in each column mode, in the real main window
// with every view open: Enter's request, the query, and the fill of the list with the
// answer, until the list is drawn. Beside the query alone and its bound (derivation_bench.cpp).

#include "bench/derivationmodes.h"
#include "bench/syntheticmainwindow.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"
#include "vbprog/murvel/views/frm字形孳乳.h"
#include "vbprog/murvel/views/outlinelist.h"

#include <QCoreApplication>

namespace
{

// The option marks of the 字形孳乳 menu that choose the mode's column.
void chooseMode(MainMenus &menus, const DerivationMode &mode)
{
    menus.setChecked("mnu_字形孳乳逐級列出單一部件", mode.options.stepwise);
    menus.setChecked("mnu_字形孳乳只列字形不列部件", !mode.options.stepwise);
    menus.setChecked("mnu_字形孳乳遵照輸入部件順序", mode.options.inputOrder);
    menus.setChecked("mnu_字形孳乳包含異寫部件", mode.options.variantRoots);
    menus.setChecked("mnu_字形孳乳採用SQL語法", mode.options.sqlLike);
}

void BM_DerivationSearch(benchmark::State &state, const DerivationMode &mode)
{
    auto *view = OpenView<frm字形孳乳>(state, WindowKinds::Derivation);
    if (view == nullptr)
        return;
    if (DerivationSql(mode, LikeDialect::Program).isEmpty()) {
        state.SkipWithError("the view's options do not search the mode's column");
        return;
    }
    chooseMode(SyntheticMainWindow(state)->menus(), mode);
    for (auto _ : state) {
        view->requestSearch(mode.typed);
        do
            QCoreApplication::processEvents();
        while (view->searching());
        QCoreApplication::processEvents(); // the list drawn once more after Redraw is back on
    }
    // The root and the glyphs found below it.
    const int items = view->list()->ListCount();
    if (items < 2)
        state.SkipWithError("the search found no glyph");
    state.counters["items"] = items;
}

[[maybe_unused]] const bool Registered = [] {
    for (const DerivationMode &mode : DerivationModes())
        benchmark::RegisterBenchmark(("BM_DerivationSearch/" + mode.column.toStdString()).c_str(),
                                     BM_DerivationSearch, mode)
            ->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace

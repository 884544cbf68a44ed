// The structure view's tree of a glyph three levels deep, in the real main window on the
// synthetic databases.

#include "bench/syntheticmainwindow.h"
#include "synthetic/syntheticdatabases.h"
#include "synthetic/syntheticprobes.h"
#include "vbprog/murvel/core/scriptfaces.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"
#include "vbprog/murvel/views/frm字形結構.h"
#include "vbprog/murvel/views/outlinelist.h"

#include <QCoreApplication>

namespace
{

// The probe glyph and its components down to the roots: ThreeLevelGlyph is ProbeGlyph over
// 木, ProbeGlyph is 亻 beside InnerGlyph, InnerGlyph is ReservedRoot over 口.
constexpr int ItemsOfTheWholeTree = 7;

// Opens every item that still holds its placeholder, as a user opening the whole tree does;
// the items that opening adds are opened in their turn.
void openAll(OutlineList &list)
{
    for (int i = 0; i < list.ListCount(); ++i) {
        if (list.ChildCount(i) == 1 && list.ItemText(i + 1).isEmpty())
            emit list.Expand(i);
    }
}

// 載入字形 (the root and its first level), then every composite component opened, drawn.
void BM_StructureTreeOfThreeLevelGlyph(benchmark::State &state)
{
    auto *view = OpenView<frm字形結構>(state, WindowKinds::Structure);
    if (view == nullptr)
        return;
    const QString glyph = SyntheticProbes::ThreeLevelGlyph;
    const std::optional<qint32> number = RegularNumber(glyph);
    if (!number) {
        state.SkipWithError("the synthetic databases lack the three-level glyph");
        return;
    }
    // The panel shows the glyph, as when it reaches the view from a lookup or a selection.
    LookUpGlyphNumber(*SyntheticMainWindow(state), *number);
    for (auto _ : state) {
        view->載入字形(Faces::Kai, glyph, *number);
        openAll(*view->list());
        QCoreApplication::processEvents();
    }
    if (const int items = view->list()->ListCount(); items != ItemsOfTheWholeTree)
        state.SkipWithError(QStringLiteral("the tree holds %1 items, not the glyph and its %2 "
                                           "components down to the roots")
                                .arg(items)
                                .arg(ItemsOfTheWholeTree - 1)
                                .toUtf8()
                                .constData());
    state.counters["items"] = view->list()->ListCount();
}
BENCHMARK(BM_StructureTreeOfThreeLevelGlyph)->Unit(benchmark::kMicrosecond);

} // namespace

#pragma once

#include "vbprog/murvel/mainwindow/mdi漢字字形.h"
#include "vbprog/murvel/registerviews.h"

#include <benchmark/benchmark.h>

// The real main window on the synthetic program folder, started once for every benchmark of
// the run, with every view registered as the main program registers them. The folder's
// murvel.ini reopens every child window, so all views are open. Null when it cannot start:
// the benchmark is then skipped with the reason. Lives until the process ends.
mdi漢字字形 *SyntheticMainWindow(benchmark::State &state);

// Types the number into txt編號 with Enter, as a user looks a glyph up: the panel shows the
// glyph and the open analysis views load it.
void LookUpGlyphNumber(mdi漢字字形 &window, qint32 number);

// The main window's open child window of the kind, as the view class that serves it; null,
// with the benchmark skipped, when there is none.
template<typename View> View *OpenView(benchmark::State &state, int kind)
{
    mdi漢字字形 *window = SyntheticMainWindow(state);
    if (window == nullptr)
        return nullptr;
    auto *view = dynamic_cast<View *>(window->childWindows().find(kind));
    if (view == nullptr)
        state.SkipWithError("the main window has no open view of the kind");
    return view;
}

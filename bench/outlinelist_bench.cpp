#include "vbprog/murvel/views/longload.h"
#include "vbprog/murvel/views/outlinelist.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace
{

const QString kFace = QStringLiteral("標楷體外字集一");

// 20,000 glyphs at top level, added with Redraw off and shown at once, each dressed as a
// loader dresses it; the list is on screen and lays them out.
void BM_AddTopLevelItems(benchmark::State &state)
{
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        OutlineList list;
        list.resize(400, 600);
        list.show();
        list.setRedraw(false);
        for (int i = 0; i < count; ++i) {
            list.AddItem(QStringLiteral("字"));
            const int added = list.NewIndex();
            list.setItemFontName(added, kFace);
            list.setItemData(added, i);
            list.setItemFlag(added, 0);
            list.setItemPicture(added, list.PictureLeaf());
        }
        list.setRedraw(true);
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_AddTopLevelItems)->Arg(20000)->Unit(benchmark::kMillisecond);

// Parents with children below each, added with Redraw off and shown at once.
void BM_AddParentsWithChildren(benchmark::State &state)
{
    const int parents = static_cast<int>(state.range(0));
    const int children = static_cast<int>(state.range(1));
    for (auto _ : state) {
        OutlineList list;
        list.resize(400, 600);
        list.show();
        list.setRedraw(false);
        for (int p = 0; p < parents; ++p) {
            list.AddItem(QStringLiteral("部"));
            const int parent = list.NewIndex();
            list.setItemPicture(parent, list.PictureComposite());
            for (int c = 0; c < children; ++c) {
                list.AddItem(QStringLiteral("件"), parent);
                list.setItemData(list.NewIndex(), c);
            }
        }
        list.setRedraw(true);
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * parents * (children + 1));
}
BENCHMARK(BM_AddParentsWithChildren)->Args({2000, 10})->Unit(benchmark::kMillisecond);

// The derivation search's long load: the searched text as the expanded root and every
// found glyph below it with its placeholder child, yielding every 50 items or so.
void BM_LongLoadUnderAnExpandedRoot(benchmark::State &state)
{
    const int glyphs = static_cast<int>(state.range(0));
    for (auto _ : state) {
        OutlineList list;
        list.resize(400, 600);
        list.show();
        LongLoad load(&list, [](const QString &) {});
        load.request([&](LongLoad::Session &session) {
            list.AddItem(QStringLiteral("木"));
            list.setExpanded(0, true);
            for (int i = 0; i < glyphs && !session.stopped(); ++i) {
                list.AddItem(QStringLiteral("林"), 0);
                const int added = list.NewIndex();
                list.setItemFontName(added, kFace);
                list.setItemData(added, i);
                list.setItemPicture(added, list.PictureComposite());
                list.AddItem(QString(), added);
                session.count();
                session.pace();
            }
            session.finish();
        });
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * glyphs);
}
BENCHMARK(BM_LongLoadUnderAnExpandedRoot)->Arg(20000)->Unit(benchmark::kMillisecond);

} // namespace

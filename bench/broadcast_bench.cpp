// A selection in the derivation view's list broadcast to the five analysis views, all open
// in the real main window on the synthetic databases.

#include "bench/syntheticmainwindow.h"
#include "synthetic/syntheticdatabases.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"
#include "vbprog/murvel/views/frm字形孳乳.h"
#include "vbprog/murvel/views/outlinelist.h"

#include <QCoreApplication>
#include <QFile>
#include <sys/resource.h>

namespace
{

// The views a selection is broadcast to.
constexpr int Receivers[] = {WindowKinds::Structure, WindowKinds::VariantCharacters,
                             WindowKinds::VariantComponents, WindowKinds::Evolution,
                             WindowKinds::Index};

// Two glyphs built with 口 that every view has something to show for: a structure, a variant
// group and forms in the four ancient scripts.
QStringList GlyphsEveryViewShows()
{
    jet::Result<jet::Snapshot> answer = gDb楷書.openSnapshot(QStringLiteral(
        "SELECT 檢字表.字形 FROM 檢字表 INNER JOIN 異體字表 ON 檢字表.編號 = 異體字表.編號 "
        "WHERE 檢字表.字根序 Like '*口*' And 檢字表.字形 Is Not Null And 小篆編號 > 0 "
        "And 金文編號 > 0 And 甲骨文編號 > 0 And 楚系文字編號 > 0 ORDER BY 檢字表.編號"));
    QStringList glyphs;
    for (; answer && !answer->eof() && glyphs.size() < 2; answer->moveNext())
        glyphs << answer->value(0).toString();
    return glyphs;
}

// The list index of the item showing the text; -1 when none does.
int IndexOfItem(const OutlineList &list, const QString &text)
{
    for (int i = 0; i < list.ListCount(); ++i) {
        if (list.ItemText(i) == text)
            return i;
    }
    return -1;
}

// A line of /proc/self/status in kB ("RssAnon:", "RssFile:"), in MiB; 0 when it is missing.
double ResidentMiB(const QByteArray &key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

// The derivation search for 口 lists the glyphs; the benchmark selects them in turn, each
// selection filling the panel and every receiver, until they are drawn.
void BM_SelectionBroadcast(benchmark::State &state)
{
    auto *derivation = OpenView<frm字形孳乳>(state, WindowKinds::Derivation);
    if (derivation == nullptr)
        return;
    for (int kind : Receivers) {
        if (OpenView<GlyphListWindow>(state, kind) == nullptr)
            return;
    }
    derivation->requestSearch(QStringLiteral("口"));
    do
        QCoreApplication::processEvents();
    while (derivation->searching());

    OutlineList &list = *derivation->list();
    const QStringList glyphs = GlyphsEveryViewShows();
    QList<int> items;
    for (const QString &glyph : glyphs)
        items << IndexOfItem(list, glyph);
    if (items.size() < 2 || items.contains(-1)) {
        state.SkipWithError("the derivation list lacks two glyphs that every view shows");
        return;
    }
    qsizetype turn = 0;
    for (auto _ : state) {
        list.setListIndex(items[turn++ % items.size()]);
        QCoreApplication::processEvents();
    }
    const QString last = glyphs[(turn - 1) % glyphs.size()];
    const auto *structure = OpenView<GlyphListWindow>(state, WindowKinds::Structure);
    if (structure->list()->ItemText(0) != last)
        state.SkipWithError("the structure view does not show the selected glyph");
    // The whole process so far, every view filled and 口's glyphs listed: an upper bound for
    // the program in the same state.
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MiB"] = double(usage.ru_maxrss) / 1024.0;
    // Of the resident memory at the end, the process's own and the pages of the mapped
    // database files, which the system shares with its file cache and can drop at any time.
    state.counters["own_MiB"] = ResidentMiB("RssAnon:");
    state.counters["mapped_MiB"] = ResidentMiB("RssFile:");
}
BENCHMARK(BM_SelectionBroadcast)->Unit(benchmark::kMillisecond);

} // namespace

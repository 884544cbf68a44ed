// The derivation view's search for a common component (口) on the sample databases: the
// query as the view builds and runs it, and the fill of its list from the answer.

#include "sampledatabases.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/views/derivationtables.h"
#include "vbprog/murvel/views/derivationtree.h"
#include "vbprog/murvel/views/outlinelist.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace
{

// Searched by its roots, as with 只列字形不列部件: every glyph holding 口 answers.
const DerivationOptions kGlyphsOnly{};

// The statement of the search for 口 in the regular script, or "" when the data lack it.
QString SearchSql(DerivationTerms &terms)
{
    const JetDerivationTables tables(DerivationScriptOf(ScriptCodes::Regular));
    terms = PrepareDerivationSearch(QStringLiteral("口"), kGlyphsOnly, ScriptCodes::Regular, tables,
                                    tables);
    const QString pattern = 建構組字式(terms.text, terms.column, false, tables);
    if (IsUselessPattern(pattern))
        return {};
    return BuildDerivationSql({.column = terms.column,
                               .pattern = pattern,
                               .rootText = terms.text,
                               .set = CharacterSet::All,
                               .stepwiseSetting = false,
                               .regularScript = true});
}

void BM_DerivationQuery(benchmark::State &state)
{
    if (!openSampleDatabases()) {
        state.SkipWithError("the sample databases cannot be opened");
        return;
    }
    qsizetype found = 0;
    for (auto _ : state) {
        DerivationTerms terms;
        const jet::Result<jet::Snapshot> answer = gDb楷書.openSnapshot(SearchSql(terms));
        if (!answer) {
            state.SkipWithError(answer.errorString().toUtf8().constData());
            return;
        }
        found = answer->recordCount();
    }
    state.counters["glyphs"] = double(found);
}
BENCHMARK(BM_DerivationQuery)->Unit(benchmark::kMillisecond);

// The answer read record by record into a shown list under the expanded root, with Redraw
// off, and shown at once.
void BM_DerivationFill(benchmark::State &state)
{
    if (!openSampleDatabases()) {
        state.SkipWithError("the sample databases cannot be opened");
        return;
    }
    DerivationTerms terms;
    jet::Result<jet::Snapshot> answer = gDb楷書.openSnapshot(SearchSql(terms));
    if (!answer) {
        state.SkipWithError(answer.errorString().toUtf8().constData());
        return;
    }
    for (auto _ : state) {
        OutlineList list;
        list.resize(400, 600);
        list.show();
        list.setRedraw(false);
        list.AddItem(terms.text);
        list.setItemFontName(0, gBaseFontName);
        list.setExpanded(0, true);
        DerivationTree tree(list, 0, terms.column, gFaceNames);
        for (answer->moveFirst(); !answer->eof(); answer->moveNext()) {
            const DerivationRecord record = ReadDerivationRecord(answer.value(), CharacterSet::All);
            if (tree.add(record) == DerivationTree::Outcome::Parent)
                tree.describeParent(record);
        }
        list.setRedraw(true);
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * answer->recordCount());
}
BENCHMARK(BM_DerivationFill)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    gBaseFontName = QStringLiteral("標楷體");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

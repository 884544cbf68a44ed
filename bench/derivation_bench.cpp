// The derivation search for a common component on the synthetic databases, and the bound
// that the engine sets for it: the bare SQLite scan with the same pattern on the same column.
// The search of the list views is timed in this same program (derivationsearch_bench.cpp,
// added to murvel_bench_derivation), so that its ratio to the bare scan comes from one run.

#include "synthetic/syntheticdatabases.h"
#include "vbprog/murvel/core/公用變數.h"

#include <sqlite3.h>

namespace
{

// The derivation search's statement for the component 口, as the program runs it, and the
// same statement in SQLite's own dialect.
const QString DerivationSql =
    QStringLiteral("SELECT * From 檢字表 Where 編號>0 and 字根序 Like '*口*'");
const char *const BareSql = "SELECT * FROM 檢字表 WHERE 編號>0 AND 字根序 LIKE '%口%'";

void BM_DerivationQueryThroughJet(benchmark::State &state)
{
    if (!OpenSyntheticDatabases(state))
        return;
    qsizetype found = 0;
    for (auto _ : state) {
        const jet::Result<jet::Snapshot> snapshot = gDb楷書.openSnapshot(DerivationSql);
        if (!snapshot) {
            state.SkipWithError(snapshot.errorString().toUtf8().constData());
            return;
        }
        found = snapshot->recordCount();
    }
    state.counters["glyphs"] = double(found);
}
BENCHMARK(BM_DerivationQueryThroughJet)->Unit(benchmark::kMillisecond);

// Every row read to the end and every column of it touched, as a snapshot copies them.
void BM_DerivationScanBareSqlite(benchmark::State &state)
{
    if (!OpenSyntheticDatabases(state))
        return;
    const QByteArray path = QFile::encodeName(QDir(SyntheticFolder()).filePath("murvel.mdb"));
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        state.SkipWithError(sqlite3_errmsg(db));
        sqlite3_close(db);
        return;
    }
    qsizetype found = 0;
    for (auto _ : state) {
        sqlite3_stmt *statement = nullptr;
        sqlite3_prepare_v2(db, BareSql, -1, &statement, nullptr);
        found = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            ++found;
            for (int column = 0; column < sqlite3_column_count(statement); ++column) {
                if (sqlite3_column_type(statement, column) == SQLITE_TEXT)
                    benchmark::DoNotOptimize(sqlite3_column_text(statement, column));
                else
                    benchmark::DoNotOptimize(sqlite3_column_int64(statement, column));
            }
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    state.counters["glyphs"] = double(found);
}
BENCHMARK(BM_DerivationScanBareSqlite)->Unit(benchmark::kMillisecond);

} // namespace

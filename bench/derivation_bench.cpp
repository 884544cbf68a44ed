// The derivation search's query for the common component 口 in each column mode, on the
// synthetic databases, and the engine's floor for it: the same statement, with the same
// pattern on the same column, run by plain SQLite over every row of the table (NOT INDEXED),
// which is what the query costs without the character index. The view's whole search
// (query and list fill) is timed in this same program (derivationsearch_bench.cpp), so that
// the ratios come from one run.

#include "bench/derivationmodes.h"
#include "synthetic/syntheticdatabases.h"
#include "vbprog/murvel/core/公用變數.h"

#include <sqlite3.h>

namespace
{

// The statement of the mode, or "" with the benchmark skipped.
QString StatementOf(benchmark::State &state, const DerivationMode &mode, LikeDialect dialect)
{
    const QString sql = DerivationSql(mode, dialect);
    if (sql.isEmpty())
        state.SkipWithError("the view's options do not search the mode's column");
    return sql;
}

// The view's query as the program runs it: built from the typed text, then read whole into
// a snapshot by the database layer.
void BM_DerivationQuery(benchmark::State &state, const DerivationMode &mode)
{
    if (!OpenSyntheticDatabases(state) || StatementOf(state, mode, LikeDialect::Program).isEmpty())
        return;
    qsizetype found = 0;
    for (auto _ : state) {
        const jet::Result<jet::Snapshot> answer =
            gDb楷書.openSnapshot(DerivationSql(mode, LikeDialect::Program));
        if (!answer) {
            state.SkipWithError(answer.errorString().toUtf8().constData());
            return;
        }
        found = answer->recordCount();
    }
    state.counters["records"] = double(found);
}

// The floor: the same statement in plain SQLite with its own LIKE, the table read by a full
// scan whatever index the plan could take, every row of the answer read to the end and every
// column of it touched, as a snapshot copies them.
void BM_DerivationScanFloor(benchmark::State &state, const DerivationMode &mode)
{
    if (!OpenSyntheticDatabases(state))
        return;
    QString statement = StatementOf(state, mode, LikeDialect::Sqlite);
    if (statement.isEmpty())
        return;
    statement.replace(QStringLiteral("From 檢字表 "), QStringLiteral("From 檢字表 NOT INDEXED "));
    if (!statement.contains(QStringLiteral("NOT INDEXED"))) {
        state.SkipWithError("the statement does not read 檢字表 as the floor expects");
        return;
    }
    const QByteArray sql = statement.toUtf8();
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
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) != SQLITE_OK) {
            state.SkipWithError(sqlite3_errmsg(db));
            break;
        }
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
    const jet::Result<jet::Snapshot> answer =
        gDb楷書.openSnapshot(DerivationSql(mode, LikeDialect::Program));
    if (!answer || answer->recordCount() != found)
        state.SkipWithError("the full scan does not find the records the program's query finds");
    state.counters["records"] = double(found);
}

[[maybe_unused]] const bool Registered = [] {
    for (const DerivationMode &mode : DerivationModes()) {
        const std::string column = mode.column.toStdString();
        benchmark::RegisterBenchmark(("BM_DerivationQuery/" + column).c_str(), BM_DerivationQuery,
                                     mode)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_DerivationScanFloor/" + column).c_str(),
                                     BM_DerivationScanFloor, mode)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

} // namespace

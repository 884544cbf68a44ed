// Start-up on the synthetic databases: opening the five databases, and the main window's
// whole start-up, every view reopened, followed by the first glyph looked up by number.

#include "bench/syntheticmainwindow.h"
#include "synthetic/syntheticdatabases.h"

#include <QLineEdit>
#include <QTemporaryDir>

namespace
{

// What the program opens before its window can work: the databases, their tables and the
// operator symbols.
void BM_OpenDatabases(benchmark::State &state)
{
    if (const QString missing = SyntheticDatabasesMissing(); !missing.isEmpty()) {
        state.SkipWithError(missing.toUtf8().constData());
        return;
    }
    for (auto _ : state) {
        OpenReport report;
        OpenDatabases(SyntheticFolder(), report);
        OpenTables(report);
        LoadOperatorTable(report);
        state.PauseTiming();
        CloseDatabases();
        if (!report.ok()) {
            state.SkipWithError(report.errors.join("; ").toUtf8().constData());
            break;
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenDatabases)->Unit(benchmark::kMillisecond);

// The main window's start-up as the program runs it, its views registered and every one of
// them reopened by the folder's murvel.ini, then glyph 1 typed into txt編號 with Enter, until
// the panel and the views show it.
void BM_StartUpToFirstGlyph(benchmark::State &state)
{
    if (const QString missing = SyntheticDatabasesMissing(); !missing.isEmpty()) {
        state.SkipWithError(missing.toUtf8().constData());
        return;
    }
    // The run leaves the user's registry and missing-character log alone.
    QTemporaryDir scratch;
    qputenv("MURVEL_REGISTRY_DIR", QFile::encodeName(scratch.filePath("registry")));
    qputenv("MURVEL_WINDOWS_DIR", QFile::encodeName(scratch.filePath("windows")));
    for (auto _ : state) {
        auto window = std::make_unique<mdi漢字字形>(SyntheticFolder());
        RegisterViews(window->childWindows());
        QString problem;
        window->setProblemReporter([&](const QString &text) { problem = text; });
        const bool started = window->startUp();
        if (started)
            LookUpGlyphNumber(*window, 1);
        const bool shown = started && !window->box("txt字形")->text().isEmpty();
        state.PauseTiming();
        window.reset(); // no shut-down: the folder's murvel.ini stays as it is
        CloseDatabases();
        if (!shown) {
            state.SkipWithError(problem.isEmpty() ? "the first glyph was not shown"
                                                  : problem.toUtf8().constData());
            break;
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToFirstGlyph)->Unit(benchmark::kMillisecond);

} // namespace

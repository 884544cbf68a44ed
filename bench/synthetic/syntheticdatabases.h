#pragma once

#include "vbprog/murvel/core/databases.h"
#include "vbprog/murvel/core/recordfields.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/schema/schemanames.h"

#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>

// The synthetic databases for the benchmarks: the program folder that make synthetic builds,
// or the one $MURVEL_SYNTHETIC_DIR names.
inline QString SyntheticFolder()
{
    const QString redirected = qEnvironmentVariable("MURVEL_SYNTHETIC_DIR");
    return redirected.isEmpty() ? QStringLiteral(MURVEL_SYNTHETIC_DIR) : redirected;
}

// Why the synthetic databases cannot be used; empty when they are built.
inline QString SyntheticDatabasesMissing()
{
    const QString main = QDir(SyntheticFolder()).filePath(QStringLiteral("murvel.mdb"));
    if (QFile::exists(main))
        return {};
    return QStringLiteral("%1 is missing: build it with make synthetic").arg(main);
}

// Opens the synthetic databases once for every benchmark of the run. True when they are
// open; otherwise the benchmark is skipped with the reason.
inline bool OpenSyntheticDatabases(benchmark::State &state)
{
    static const QString problem = [] {
        if (QString missing = SyntheticDatabasesMissing(); !missing.isEmpty())
            return missing;
        OpenReport report;
        OpenDatabases(SyntheticFolder(), report);
        OpenTables(report);
        LoadOperatorTable(report);
        return report.errors.join(QStringLiteral("; "));
    }();
    if (!problem.isEmpty())
        state.SkipWithError(problem.toUtf8().constData());
    return problem.isEmpty();
}

// The 編號 of a glyph of the regular script's 檢字表, on the shared handle gRs檢字表楷書 (a copy
// of a handle shares its cursor); nullopt when the open databases lack it.
inline std::optional<qint32> RegularNumber(const QString &glyph)
{
    jet::Table glyphs = gRs檢字表楷書;
    if (!glyphs.setIndex(Indexes::字形) || !glyphs.seek(glyph))
        return std::nullopt;
    return Int32Field(glyphs.value(Fields::編號));
}

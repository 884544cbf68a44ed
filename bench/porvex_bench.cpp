// The add-in's engine on the synthetic databases: the lookup of one formula found in a
// document, at the first index and when only the root set finds it, and one glyph drawn into
// a bitmap file.

#include "comAddIn/porvex/glyphrenderer.h"
#include "comAddIn/porvex/lookupengine.h"
#include "synthetic/syntheticdatabases.h"
#include "synthetic/syntheticprobes.h"

#include <QTemporaryDir>

namespace
{

// Answers the chooser as a user who takes the first candidate.
class FirstCandidatePicker : public porvex::CandidatePicker
{
public:
    int choose(const QString &, const QList<porvex::Candidate> &) override { return 0; }
};

// The engine on the synthetic murvel.mdb, with a log folder of its own; nullptr (and the
// benchmark skipped) when the databases are missing.
porvex::LookupEngine *SyntheticEngine(benchmark::State &state)
{
    static QTemporaryDir windows;
    static porvex::LookupEngine engine;
    static const QString problem = [] {
        if (QString missing = SyntheticDatabasesMissing(); !missing.isEmpty())
            return missing;
        jet::Result<jet::Database> database =
            jet::Database::open(QDir(SyntheticFolder()).filePath(QStringLiteral("murvel.mdb")));
        if (!database)
            return database.errorString();
        return engine.startRun(database.value(), windows.path()) ? QString()
                                                                 : engine.errorString();
    }();
    if (!problem.isEmpty()) {
        state.SkipWithError(problem.toUtf8().constData());
        return nullptr;
    }
    return &engine;
}

// A formula that index 構字式 holds (level 1 of the search), or one that only its root set
// finds (level 4: the roots in another order), chosen as the first candidate.
void BM_AddinLookUpFormula(benchmark::State &state)
{
    porvex::LookupEngine *engine = SyntheticEngine(state);
    if (engine == nullptr)
        return;
    const int level = static_cast<int>(state.range(0));
    const QString formula = SyntheticProbes::TypedFormulaForLevel(level);
    const porvex::LookupLevel expected =
        level == 1 ? porvex::LookupLevel::Formula : porvex::LookupLevel::ComponentSet;
    FirstCandidatePicker picker;
    const porvex::Lookup &first = engine->lookUp(formula, picker);
    if (first.level != expected || first.chosen.glyph != SyntheticProbes::ProbeGlyph) {
        state.SkipWithError("the lookup does not find the probe glyph where it should");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(engine->lookUp(formula, picker).chosen.code);
}
BENCHMARK(BM_AddinLookUpFormula)->Arg(1)->Arg(4)->ArgName("level")->Unit(benchmark::kMicrosecond);

// One glyph at 24 points into a bitmap file, at the screen's 96 dpi and at the 600 dpi of
// Word's picture preview.
void BM_GlyphToBitmapFile(benchmark::State &state)
{
    const int dpi = static_cast<int>(state.range(0));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("~cp1.bmp"));
    porvex::GlyphRenderer renderer(QStringLiteral(MURVEL_PROGRAM_DIR));
    const porvex::GlyphFont font{QStringLiteral("標楷體外字集三"), 24};
    if (!renderer.GlyphToBitmapFile(font, QStringLiteral("鬱"), path, dpi)) {
        state.SkipWithError("the glyph is not drawn");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(renderer.GlyphToBitmapFile(font, QStringLiteral("鬱"), path, dpi));
}
BENCHMARK(BM_GlyphToBitmapFile)->Arg(96)->Arg(600)->ArgName("dpi")->Unit(benchmark::kMicrosecond);

} // namespace

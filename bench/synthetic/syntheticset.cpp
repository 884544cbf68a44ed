#include "bench/synthetic/syntheticset.h"

#include <QDir>

SyntheticSet PlanSyntheticSet(const SyntheticShape &shape, const SampleSources &sample)
{
    SyntheticSet set;
    set.regular = PlanRegularScript(shape, sample.roots, sample.namedGlyphs);
    for (const AncientScriptDef &def : AncientScriptDefs())
        set.ancient.append(PlanAncientScript(shape, set.regular, def));
    return set;
}

QString WriteSyntheticSet(const SyntheticShape &shape, const QString &sampleDir,
                          const QString &outputDir)
{
    SampleSources sample;
    if (const QString error = ReadSampleSources(sampleDir, sample); !error.isEmpty())
        return error;
    // Sources left from another shape must not mix with these.
    if (!QDir(outputDir).removeRecursively())
        return QStringLiteral("cannot empty %1").arg(outputDir);
    const SyntheticSet set = PlanSyntheticSet(shape, sample);
    return WriteSyntheticSources(set.regular, set.ancient, sampleDir, outputDir);
}

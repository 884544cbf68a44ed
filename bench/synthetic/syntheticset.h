#pragma once

#include "bench/synthetic/ancientscripts.h"
#include "bench/synthetic/regularscript.h"
#include "bench/synthetic/sourcefiles.h"

// A whole synthetic database set: the regular script and the four ancient scripts.
struct SyntheticSet {
    RegularScript regular;
    QList<AncientScript> ancient;
};

SyntheticSet PlanSyntheticSet(const SyntheticShape &shape, const SampleSources &sample);

// Plans the set from the sample sources and writes its sources into outputDir, which is
// emptied first; an error text when it cannot.
QString WriteSyntheticSet(const SyntheticShape &shape, const QString &sampleDir,
                          const QString &outputDir);

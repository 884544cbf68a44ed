#pragma once

#include "bench/synthetic/ancientscripts.h"
#include "bench/synthetic/regularscript.h"

#include <QString>

// Writing a synthetic database set as sources of murvel-datagen (data/README.md): one folder
// per database, one tab-separated file per table. The tables that describe no glyph (the
// operator symbols, the typefaces, the symbol bar, the radical lists, the variant roots)
// are the sample sources' own, copied.

// The roots of the sample sources (murvel/字根.tsv) and the characters that their copied
// tables name as glyphs, which the synthetic 檢字表 must hold.
struct SampleSources {
    QList<SampleRoot> roots;
    QString namedGlyphs;
};

// Reads them from the sample sources folder; an error text when it cannot.
QString ReadSampleSources(const QString &sampleDir, SampleSources &sample);

// Writes every database folder into outputDir; an error text when it cannot.
QString WriteSyntheticSources(const RegularScript &regular, const QList<AncientScript> &ancient,
                              const QString &sampleDir, const QString &outputDir);

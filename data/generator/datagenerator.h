#pragma once

#include "data/generator/sourcedata.h"

#include <QString>

// Builds every database folder of sourcesDir into outputDir/<name>.mdb (data/README.md).
// Returns the refusals, empty on success. Nothing is written unless every source is sound,
// and each file appears under its name only once it is complete.
QList<SourceError> GenerateDatabases(const QString &sourcesDir, const QString &outputDir);

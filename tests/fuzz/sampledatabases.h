#pragma once

#include "fuzzsupport.h"
#include "vbprog/murvel/core/databases.h"

// Opens the sample databases of the program folder as start-up does, for the harnesses that
// search them; a failure stops the run before any input.
inline void OpenSampleDatabases()
{
    fuzz::EnsureApplication();
    OpenReport report;
    OpenDatabases(QStringLiteral(MURVEL_PROGRAM_DIR), report);
    OpenTables(report);
    LoadOperatorTable(report);
    fuzz::Check(report.ok(), "the sample databases open", report.errors.join(u'\n'));
}

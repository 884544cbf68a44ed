#pragma once

#include "vbprog/murvel/core/databases.h"

// Opens the sample databases of the program folder once for every benchmark of the run.
inline bool openSampleDatabases()
{
    static const bool opened = [] {
        OpenReport report;
        OpenDatabases(QStringLiteral(MURVEL_PROGRAM_DIR), report);
        OpenTables(report);
        LoadOperatorTable(report);
        return report.ok();
    }();
    return opened;
}

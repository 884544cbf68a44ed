// The main program. Until its main window is built, it opens the script databases in its
// folder and reports what it found.

#include "platform/system/folders.h"
#include "vbprog/murvel/core/databases.h"
#include "vbprog/murvel/core/公用變數.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

qsizetype countRecords(const jet::Database &database)
{
    jet::Result<jet::Snapshot> count = database.openSnapshot("SELECT Count(*) FROM 檢字表");
    return count ? count->value(0).toLongLong() : -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);

    OpenReport report;
    OpenDatabases(sys::programFolder(), report);
    OpenTables(report);
    if (gDb楷書.isOpen())
        LoadOperatorTable(report);

    const jet::Database *databases[] = {&gDb楷書, &gDb小篆, &gDb金文, &gDb甲骨文, &gDb楚系文字};
    for (qsizetype i = 0; i < ScriptDatabaseFiles.size(); ++i) {
        if (databases[i]->isOpen())
            out << ScriptDatabaseFiles[i] << ": " << countRecords(*databases[i]) << " 字形\n";
    }
    int faces = 0;
    for (const QString &name : gFaceNames)
        faces += name.isEmpty() ? 0 : 1;
    out << "字體: " << faces << "\n";
    for (const QString &problem : report.errors + report.warnings)
        out << problem << "\n";
    CloseDatabases();
    return report.ok() ? 0 : 1;
}

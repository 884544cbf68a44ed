#include "databases.h"

#include "messages.h"
#include "公用變數.h"

#include <QDir>

const QStringList ScriptDatabaseFiles = {"murvel.mdb", "qelseal.mdb", "qelbronz.mdb",
                                         "qeljiagu.mdb", "qelchu.mdb"};

namespace {

jet::Database *const ScriptDatabases[] = {&gDb楷書, &gDb小篆, &gDb金文, &gDb甲骨文, &gDb楚系文字};

// A table handle of the run, its database, its table and its starting index (none: its
// users set one).
struct TableHandle {
    jet::Table *handle;
    jet::Database *database;
    QString table;
    QString index;
};

const TableHandle TableHandles[] = {
    {&gRs檢字表, &gDb楷書, "檢字表", "字形"},
    {&gRs常用符號及部件類型, &gDb楷書, "常用符號及部件類型", {}},
    {&gRs康熙部首, &gDb楷書, "康熙部首", {}},
    {&gRs說文部首, &gDb楷書, "說文部首", {}},
    {&gRs異寫字根, &gDb楷書, "異寫字根", "字根"},
    {&gRs異體字表, &gDb楷書, "異體字表", "編號"},
    {&gRs檢字表楷書, &gDb楷書, "檢字表", "字形"},
    {&gRs字根楷書, &gDb楷書, "字根", {}},
    {&gRs異寫字根楷書, &gDb楷書, "異寫字根", "字根"},
    {&gRs異體字表楷書, &gDb楷書, "異體字表", "編號"},
    {&gRs檢字表小篆, &gDb小篆, "檢字表", "字形"},
    {&gRs字根小篆, &gDb小篆, "字根", {}},
    {&gRs異寫字根小篆, &gDb小篆, "異寫字根", "字根"},
    {&gRs異體字表小篆, &gDb小篆, "異體字表", "編號"},
    {&gRs檢字表金文, &gDb金文, "檢字表", "字形"},
    {&gRs補遺金文, &gDb金文, "補遺", "楷書編號"},
    {&gRs字根金文, &gDb金文, "字根", {}},
    {&gRs異寫字根金文, &gDb金文, "異寫字根", "字根"},
    {&gRs異體字表金文, &gDb金文, "異體字表", "編號"},
    {&gRs檢字表甲骨文, &gDb甲骨文, "檢字表", "字形"},
    {&gRs字根甲骨文, &gDb甲骨文, "字根", {}},
    {&gRs異寫字根甲骨文, &gDb甲骨文, "異寫字根", "字根"},
    {&gRs異體字表甲骨文, &gDb甲骨文, "異體字表", "編號"},
    {&gRs檢字表楚系文字, &gDb楚系文字, "檢字表", "字形"},
    {&gRs字根楚系文字, &gDb楚系文字, "字根", {}},
    {&gRs異寫字根楚系文字, &gDb楚系文字, "異寫字根", "字根"},
    {&gRs異體字表楚系文字, &gDb楚系文字, "異體字表", "編號"},
};

// Each record of a small numbered table of murvel.mdb: its 編號 (nullopt when Null or
// not a number) and the text of its value field.
template<typename Visit>
bool forEachNumberedRecord(const QString &table, const QString &field, OpenReport &report,
                           Visit visit)
{
    jet::Result<jet::Table> opened = gDb楷書.openTable(table);
    if (!opened) {
        report.errors << Messages::databaseProblem(gDb楷書.fileName(), opened.errorString());
        return false;
    }
    jet::Table &records = opened.value();
    for (records.moveFirst(); !records.eof(); records.moveNext()) {
        bool ok = false;
        const int number = records.value("編號").toInt(&ok);
        visit(ok ? std::optional<int>(number) : std::nullopt, records.value(field).toString());
    }
    records.close();
    return true;
}

} // namespace

void OpenDatabases(const QString &folder, OpenReport &report)
{
    for (qsizetype i = 0; i < ScriptDatabaseFiles.size(); ++i) {
        jet::Result<jet::Database> opened =
            jet::Database::open(QDir(folder).filePath(ScriptDatabaseFiles[i]));
        if (opened)
            *ScriptDatabases[i] = opened.value();
        else
            report.errors << opened.errorString();
    }
    if (gDb楷書.isOpen())
        LoadFontNameTable(report);
}

void LoadFontNameTable(OpenReport &report)
{
    gFaceNames.fill(QString());
    forEachNumberedRecord("字體", "名稱", report, [&](std::optional<int> number, QString name) {
        if (number && *number >= 0 && *number < FaceCodeCount)
            gFaceNames[*number] = name;
        else
            report.warnings << Messages::faceNumberOutOfRange(number);
    });
}

void OpenTables(OpenReport &report)
{
    for (const TableHandle &entry : TableHandles) {
        if (!entry.database->isOpen())
            continue; // the database itself is already reported
        jet::Result<jet::Table> opened = entry.database->openTable(entry.table);
        if (!opened) {
            report.errors << Messages::databaseProblem(entry.database->fileName(),
                                                       opened.errorString());
            continue;
        }
        *entry.handle = opened.value();
        if (!entry.index.isEmpty() && !entry.handle->setIndex(entry.index))
            report.errors << Messages::databaseProblem(entry.database->fileName(),
                                                       entry.handle->errorString());
    }
}

void LoadOperatorTable(OpenReport &report)
{
    gOperatorSymbols = OperatorTable();
    const bool opened =
        forEachNumberedRecord("符號", "字形", report, [&](std::optional<int> number, QString symbol) {
            if (!number || !gOperatorSymbols.setSymbol(*number, symbol))
                report.warnings << Messages::operatorNumberOutOfRange(number);
        });
    if (!opened)
        return;
    QStringList missing;
    for (int number = 1; number <= OperatorNumbers::Count; ++number) {
        if (gOperatorSymbols.symbol(number).isEmpty())
            missing << QString::number(number);
    }
    if (!missing.isEmpty())
        report.warnings << Messages::operatorsMissing(missing);
}

void CloseDatabases()
{
    for (const TableHandle &entry : TableHandles)
        entry.handle->close();
    for (jet::Database *database : ScriptDatabases)
        database->close();
}

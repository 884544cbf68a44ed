#include "databases.h"

#include "messages.h"
#include "vbprog/murvel/schema/databaseschema.h"
#include "公用變數.h"

#include <QDir>

const QStringList ScriptDatabaseFiles = {
    DatabaseFileName(DatabaseNames::Regular), DatabaseFileName(DatabaseNames::Seal),
    DatabaseFileName(DatabaseNames::Bronze), DatabaseFileName(DatabaseNames::OracleBone),
    DatabaseFileName(DatabaseNames::Chu)};

namespace
{

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
    {&gRs檢字表, &gDb楷書, Tables::檢字表, Indexes::字形},
    {&gRs常用符號及部件類型, &gDb楷書, Tables::常用符號及部件類型, {}},
    {&gRs康熙部首, &gDb楷書, Tables::康熙部首, {}},
    {&gRs說文部首, &gDb楷書, Tables::說文部首, {}},
    {&gRs異寫字根, &gDb楷書, Tables::異寫字根, Indexes::字根},
    {&gRs異體字表, &gDb楷書, Tables::異體字表, Indexes::編號},
    {&gRs檢字表楷書, &gDb楷書, Tables::檢字表, Indexes::字形},
    {&gRs字根楷書, &gDb楷書, Tables::字根, {}},
    {&gRs異寫字根楷書, &gDb楷書, Tables::異寫字根, Indexes::字根},
    {&gRs異體字表楷書, &gDb楷書, Tables::異體字表, Indexes::編號},
    {&gRs檢字表小篆, &gDb小篆, Tables::檢字表, Indexes::字形},
    {&gRs字根小篆, &gDb小篆, Tables::字根, {}},
    {&gRs異寫字根小篆, &gDb小篆, Tables::異寫字根, Indexes::字根},
    {&gRs異體字表小篆, &gDb小篆, Tables::異體字表, Indexes::編號},
    {&gRs檢字表金文, &gDb金文, Tables::檢字表, Indexes::字形},
    {&gRs補遺金文, &gDb金文, Tables::補遺, Indexes::楷書編號},
    {&gRs字根金文, &gDb金文, Tables::字根, {}},
    {&gRs異寫字根金文, &gDb金文, Tables::異寫字根, Indexes::字根},
    {&gRs異體字表金文, &gDb金文, Tables::異體字表, Indexes::編號},
    {&gRs檢字表甲骨文, &gDb甲骨文, Tables::檢字表, Indexes::字形},
    {&gRs字根甲骨文, &gDb甲骨文, Tables::字根, {}},
    {&gRs異寫字根甲骨文, &gDb甲骨文, Tables::異寫字根, Indexes::字根},
    {&gRs異體字表甲骨文, &gDb甲骨文, Tables::異體字表, Indexes::編號},
    {&gRs檢字表楚系文字, &gDb楚系文字, Tables::檢字表, Indexes::字形},
    {&gRs字根楚系文字, &gDb楚系文字, Tables::字根, {}},
    {&gRs異寫字根楚系文字, &gDb楚系文字, Tables::異寫字根, Indexes::字根},
    {&gRs異體字表楚系文字, &gDb楚系文字, Tables::異體字表, Indexes::編號},
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
        const int number = records.value(Fields::編號).toInt(&ok);
        visit(ok ? std::optional<int>(number) : std::nullopt, records.value(field).toString());
    }
    records.close();
    return true;
}

// The schema version the file was stamped with; nullopt when it cannot be read.
std::optional<int> schemaVersionOf(const jet::Database &database)
{
    jet::Result<jet::Snapshot> stamp =
        database.openSnapshot(QStringLiteral("SELECT user_version FROM pragma_user_version"));
    if (!stamp || stamp.value().eof())
        return std::nullopt;
    return stamp.value().value(0).toInt();
}

} // namespace

void OpenDatabases(const QString &folder, OpenReport &report)
{
    for (qsizetype i = 0; i < ScriptDatabaseFiles.size(); ++i) {
        const QString path = QDir(folder).filePath(ScriptDatabaseFiles[i]);
        jet::Result<jet::Database> opened = jet::Database::open(path);
        if (!opened) {
            report.errors << opened.errorString();
            continue;
        }
        const std::optional<int> version = schemaVersionOf(opened.value());
        if (version != SchemaVersion) {
            report.errors << Messages::databaseProblem(
                path, Messages::schemaVersionMismatch(version, SchemaVersion));
            continue;
        }
        *ScriptDatabases[i] = opened.value();
    }
    if (gDb楷書.isOpen())
        LoadFontNameTable(report);
}

void LoadFontNameTable(OpenReport &report)
{
    gFaceNames.fill(QString());
    forEachNumberedRecord(Tables::字體, Fields::名稱, report,
                          [&](std::optional<int> number, QString name) {
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
    const bool opened = forEachNumberedRecord(
        Tables::符號, Fields::字形, report, [&](std::optional<int> number, QString symbol) {
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

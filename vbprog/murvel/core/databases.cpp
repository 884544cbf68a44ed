#include "vbprog/murvel/core/databases.h"

#include "vbprog/murvel/core/messages.h"
#include "vbprog/murvel/core/scripttables.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/schema/databaseschema.h"

const QStringList ScriptDatabaseFiles = [] {
    QStringList files;
    for (const Script &script : Scripts())
        files << DatabaseFileName(script.databaseName);
    return files;
}();

namespace
{

// A table handle of the run, its database, its table and its starting index (none: its
// users set one).
struct TableHandle {
    jet::Table *handle;
    jet::Database *database;
    QString table;
    QString index;
};

// The handles in the order they are opened: the first set on murvel.mdb, then each
// script's own handles (the bronze supplement after its 檢字表).
const QList<TableHandle> &TableHandles()
{
    static const QList<TableHandle> handles = [] {
        QList<TableHandle> list = {
            {&gRs檢字表, &gDb楷書, Tables::檢字表, Indexes::字形},
            {&gRs常用符號及部件類型, &gDb楷書, Tables::常用符號及部件類型, {}},
            {&gRs康熙部首, &gDb楷書, Tables::康熙部首, {}},
            {&gRs說文部首, &gDb楷書, Tables::說文部首, {}},
            {&gRs異寫字根, &gDb楷書, Tables::異寫字根, Indexes::字根},
            {&gRs異體字表, &gDb楷書, Tables::異體字表, Indexes::編號},
        };
        for (const Script &script : Scripts()) {
            list.append({script.glyphs, script.database, Tables::檢字表, Indexes::字形});
            if (script.id == ScriptId::Bronze)
                list.append({&gRs補遺金文, script.database, Tables::補遺, Indexes::楷書編號});
            list.append({script.roots, script.database, Tables::字根, {}});
            list.append({script.variantRoots, script.database, Tables::異寫字根, Indexes::字根});
            list.append({script.variantGlyphs, script.database, Tables::異體字表, Indexes::編號});
        }
        return list;
    }();
    return handles;
}

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
    for (const Script &script : Scripts()) {
        const QString path = DatabasePath(folder, script.databaseName);
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
        *script.database = opened.value();
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
    for (const TableHandle &entry : TableHandles()) {
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
    for (const TableHandle &entry : TableHandles())
        entry.handle->close();
    for (const Script &script : Scripts())
        script.database->close();
}

#include "data/generator/datagenerator.h"

#include "data/generator/compositioncounts.h"
#include "data/generator/databasewriter.h"
#include "data/generator/glyphcodes.h"
#include "data/generator/glyphformulas.h"
#include "data/generator/glyphkeys.h"
#include "data/generator/glyphnumbers.h"
#include "data/generator/glyphreferences.h"
#include "data/generator/operatorsymbols.h"
#include "data/generator/roottable.h"
#include "data/generator/sourcereader.h"
#include "vbprog/murvel/schema/schemanames.h"

#include <QDir>
#include <QFile>
#include <cstdio>

namespace
{

QList<DatabaseData> readSources(const QString &sourcesDir, QList<SourceError> &errors)
{
    QList<DatabaseData> databases;
    const QDir dir(sourcesDir);
    if (!dir.exists()) {
        errors.append({sourcesDir, 0, QStringLiteral("no such folder")});
        return databases;
    }
    for (const QString &name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const DatabaseDef *def = FindDatabaseDef(name);
        if (!def) {
            errors.append({dir.filePath(name), 0, QStringLiteral("no database of this name")});
            continue;
        }
        databases.append(ReadDatabaseSources(dir.filePath(name), *def, errors));
    }
    return databases;
}

DatabaseData *findDatabase(QList<DatabaseData> &databases, const QString &name)
{
    for (DatabaseData &database : databases) {
        if (database.def->name == name)
            return &database;
    }
    return nullptr;
}

void completeStoredFormulas(DatabaseData &database, QList<SourceError> &errors)
{
    if (TableData *roots = database.table(Tables::字根))
        NumberRoots(*roots);
    TableData *glyphs = database.table(Tables::檢字表);
    if (!glyphs)
        return;
    DeriveStoredFormulas(*glyphs, errors);
    if (database.def->name == DatabaseNames::Regular)
        AssignRegularGlyphNumbers(*glyphs, errors);
    else
        CheckGlyphNumbers(*glyphs, errors);
}

void deriveKeysAndCounts(DatabaseData &database, QList<SourceError> &errors)
{
    TableData *glyphs = database.table(Tables::檢字表);
    if (!glyphs)
        return;
    TableData *roots = database.table(Tables::字根);
    const TableData *variants = database.table(Tables::異寫字根);
    DeriveSearchKeys(*glyphs, roots, variants, database.def->name != DatabaseNames::Regular,
                     errors);
    if (!errors.isEmpty())
        return;
    DeriveCompositionCounts(*glyphs, variants);
    DeriveCodesAndSortKey(*glyphs);
    if (roots)
        CompleteRootFields(*roots, *glyphs);
}

QString partialPath(const QString &path)
{
    return path + QStringLiteral(".partial");
}

// Writes every database beside its final name, then renames them one by one. A failed write
// removes the partial files and changes no final file; a failed rename removes the partial
// files left, while the databases renamed before it stay replaced.
QList<SourceError> writeDatabases(const QList<DatabaseData> &databases, const QString &outputDir)
{
    if (!QDir().mkpath(outputDir))
        return {{outputDir, 0, QStringLiteral("cannot create the folder")}};
    QStringList finalPaths;
    for (const DatabaseData &database : databases)
        finalPaths << QDir(outputDir).filePath(DatabaseFileName(database.def->name));
    auto removePartials = [&] {
        for (const QString &path : finalPaths)
            QFile::remove(partialPath(path));
    };
    for (qsizetype i = 0; i < databases.size(); ++i) {
        const QString error = WriteDatabase(databases[i], partialPath(finalPaths[i]));
        if (!error.isEmpty()) {
            removePartials();
            return {{finalPaths[i], 0, error}};
        }
    }
    for (const QString &path : finalPaths) {
        // rename(2) replaces the old file in one step.
        if (std::rename(QFile::encodeName(partialPath(path)).constData(),
                        QFile::encodeName(path).constData()) != 0) {
            removePartials();
            return {{path, 0, QStringLiteral("cannot be replaced")}};
        }
    }
    return {};
}

} // namespace

QList<SourceError> GenerateDatabases(const QString &sourcesDir, const QString &outputDir)
{
    QList<SourceError> errors;
    QList<DatabaseData> databases = readSources(sourcesDir, errors);
    if (!errors.isEmpty())
        return errors;

    DatabaseData *regular = findDatabase(databases, DatabaseNames::Regular);
    LoadOperatorSymbols(regular ? regular->table(Tables::符號) : nullptr);

    for (DatabaseData &database : databases) {
        if (IsScriptDatabase(database.def->name))
            completeStoredFormulas(database, errors);
    }
    if (!errors.isEmpty())
        return errors;

    for (DatabaseData &database : databases) {
        if (IsScriptDatabase(database.def->name))
            ResolveNumberReferences(database, errors);
        if (IsAncientScriptDatabase(database.def->name))
            LinkAncientScript(database, regular, errors);
    }
    if (!errors.isEmpty())
        return errors;

    for (DatabaseData &database : databases) {
        if (IsScriptDatabase(database.def->name))
            deriveKeysAndCounts(database, errors);
        if (!errors.isEmpty())
            return errors;
    }
    return writeDatabases(databases, outputDir);
}

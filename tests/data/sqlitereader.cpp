#include "tests/data/sqlitereader.h"

#include "vbprog/murvel/core/formula.h"

#include <QFile>
#include <sqlite3.h>

SqliteReader::SqliteReader(const QString &path)
{
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READONLY,
                        nullptr) != SQLITE_OK) {
        sqlite3_close(m_db);
        m_db = nullptr;
    }
}

SqliteReader::~SqliteReader()
{
    sqlite3_close(m_db);
}

QList<QVariantList> SqliteReader::rows(const QString &sql) const
{
    QList<QVariantList> result;
    sqlite3_stmt *statement = nullptr;
    if (!m_db ||
        sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK)
        return result;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        QVariantList row;
        for (int c = 0; c < sqlite3_column_count(statement); ++c) {
            switch (sqlite3_column_type(statement, c)) {
            case SQLITE_NULL:
                row << QVariant();
                break;
            case SQLITE_INTEGER:
                row << QVariant(qlonglong(sqlite3_column_int64(statement, c)));
                break;
            default:
                row << QVariant(QString::fromUtf8(
                    reinterpret_cast<const char *>(sqlite3_column_text(statement, c))));
            }
        }
        result << row;
    }
    sqlite3_finalize(statement);
    return result;
}

QVariant SqliteReader::value(const QString &sql) const
{
    const QList<QVariantList> result = rows(sql);
    return result.isEmpty() || result.first().isEmpty() ? QVariant() : result.first().first();
}

QStringList SqliteReader::tableNames() const
{
    QStringList names;
    for (const QVariantList &row : rows("SELECT name FROM sqlite_master WHERE type='table'"))
        names << row[0].toString();
    return names;
}

QStringList SqliteReader::columnNames(const QString &table) const
{
    QStringList names;
    for (const QVariantList &row : rows(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table)))
        names << row[1].toString();
    return names;
}

QStringList SqliteReader::indexColumns(const QString &index) const
{
    QStringList columns;
    for (const QVariantList &row : rows(QStringLiteral("PRAGMA index_info(\"%1\")").arg(index)))
        columns << row[2].toString();
    return columns;
}

DatabaseRootCatalog::DatabaseRootCatalog(const SqliteReader &database)
{
    for (const QVariantList &row :
         database.rows("SELECT 字形, 字體, 連接符號, 字根序 FROM 檢字表 ORDER BY rowid")) {
        if (!row[0].isValid())
            continue;
        Record record;
        if (row[1].isValid())
            record.face = row[1].toInt();
        record.kind = row[2].toInt();
        record.rootSequence = row[3].toString();
        m_records[row[0].toString()] << record;
    }
    for (const QVariantList &row :
         database.rows("SELECT 字根, 異寫 FROM 異寫字根 ORDER BY rowid")) {
        if (!m_variants.contains(row[0].toString()))
            m_variants.insert(row[0].toString(), row[1].toString());
    }
    for (const QVariantList &row : database.rows("SELECT 字形, 編號 FROM 字根 ORDER BY rowid")) {
        if (!m_rootNumbers.contains(row[0].toString()))
            m_rootNumbers.insert(row[0].toString(), row[1].toInt());
    }
}

QList<RootCatalog::Record> DatabaseRootCatalog::recordsOf(const QString &glyph) const
{
    return m_records.value(glyph);
}

std::optional<QString> DatabaseRootCatalog::variantOf(const QString &root) const
{
    const auto found = m_variants.constFind(root);
    return found == m_variants.constEnd() ? std::nullopt : std::optional<QString>(*found);
}

std::optional<qint32> DatabaseRootCatalog::rootNumber(const QString &root) const
{
    const auto found = m_rootNumbers.constFind(root);
    return found == m_rootNumbers.constEnd() ? std::nullopt : std::optional<qint32>(*found);
}

void LoadOperatorSymbolsFrom(const SqliteReader &database)
{
    for (const QVariantList &row : database.rows("SELECT 編號, 字形 FROM 符號"))
        gOperatorSymbols.setSymbol(row[0].toInt(), row[1].toString());
}

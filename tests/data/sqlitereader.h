#pragma once

#include "vbprog/murvel/core/rootsequence.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

struct sqlite3;

// A built database opened read-only through plain SQLite, for checking what the generator wrote.
class SqliteReader
{
public:
    explicit SqliteReader(const QString &path);
    ~SqliteReader();
    SqliteReader(const SqliteReader &) = delete;
    SqliteReader &operator=(const SqliteReader &) = delete;

    bool isOpen() const { return m_db != nullptr; }
    // The rows of a query; Null is an invalid QVariant. Empty on an error.
    QList<QVariantList> rows(const QString &sql) const;
    // The first value of the first row, or Null.
    QVariant value(const QString &sql) const;
    QStringList tableNames() const;
    QStringList columnNames(const QString &table) const;
    // The key columns of the SQLite index of that name, in order; empty when it is missing.
    QStringList indexColumns(const QString &index) const;

private:
    sqlite3 *m_db = nullptr; // owned
};

// The root rules' view of a built database: 檢字表 in row order, 異寫字根 and 字根.
class DatabaseRootCatalog : public RootCatalog
{
public:
    explicit DatabaseRootCatalog(const SqliteReader &database);

    QList<Record> recordsOf(const QString &glyph) const override;
    std::optional<QString> variantOf(const QString &root) const override;
    std::optional<qint32> rootNumber(const QString &root) const override;

private:
    QHash<QString, QList<Record>> m_records;
    QHash<QString, QString> m_variants;
    QHash<QString, qint32> m_rootNumbers;
};

// Fills the formula model's operator table from table 符號 of the database.
void LoadOperatorSymbolsFrom(const SqliteReader &database);

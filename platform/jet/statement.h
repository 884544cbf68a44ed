#pragma once

#include <QString>
#include <QVariant>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;
struct sqlite3_value;

namespace jet
{

// A column value exactly as the file stores it, type and bytes, to be bound again
// unchanged: text that is not valid UTF-8 does not survive a trip through QString, and a
// walk along an index must compare the stored bytes.
class StoredValue
{
public:
    bool isNull() const;

private:
    friend class Statement;
    std::shared_ptr<sqlite3_value> m_value; // Shared by copies, freed with the last.
};

// A prepared SQLite statement with Qt values in and out. Move-only; finalizes on
// destruction.
class Statement
{
public:
    Statement() = default;
    explicit Statement(sqlite3_stmt *handle);
    // The text prepared on the connection as it stands, for the layer's own statements; null
    // when it does not prepare.
    static Statement prepare(sqlite3 *db, const QString &sql);

    bool isNull() const { return !m_handle; }
    sqlite3_stmt *handle() const { return m_handle.get(); }

    // Binds a Null, integer (of any width), floating-point, text or byte-array value to
    // the 1-based parameter. Text that SQL cannot hold unchanged (isSqlSafeText) is
    // refused. On failure returns false and says why in *error.
    bool bind(int parameter, const QVariant &value, QString *error);
    bool bind(int parameter, const StoredValue &value, QString *error);
    // Column of the current row: a null QVariant for Null, qint64, double, QString or
    // QByteArray otherwise.
    QVariant value(int column) const;
    StoredValue storedValue(int column) const;
    int columnCount() const;
    QString columnName(int column) const;
    // Makes the statement ready to run again and drops its bindings.
    void reset();

private:
    struct Finalizer {
        void operator()(sqlite3_stmt *handle) const;
    };
    std::unique_ptr<sqlite3_stmt, Finalizer> m_handle; // Owned.
};

} // namespace jet

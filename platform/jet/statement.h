#pragma once

#include <QString>
#include <QVariant>
#include <memory>

struct sqlite3_stmt;

namespace jet
{

// A prepared SQLite statement with Qt values in and out. Move-only; finalizes on
// destruction.
class Statement
{
public:
    Statement() = default;
    explicit Statement(sqlite3_stmt *handle);

    bool isNull() const { return !m_handle; }
    sqlite3_stmt *handle() const { return m_handle.get(); }

    // Binds a Null, integer (of any width), floating-point, text or byte-array value to
    // the 1-based parameter. Returns an SQLite result code.
    int bind(int parameter, const QVariant &value);
    // Column of the current row: a null QVariant for Null, qint64, double, QString or
    // QByteArray otherwise.
    QVariant value(int column) const;
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

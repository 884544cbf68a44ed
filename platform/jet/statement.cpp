#include "platform/jet/statement.h"

#include "platform/jet/quoting.h"

#include <QByteArray>
#include <limits>
#include <sqlite3.h>

namespace jet
{

void Statement::Finalizer::operator()(sqlite3_stmt *handle) const
{
    sqlite3_finalize(handle);
}

Statement::Statement(sqlite3_stmt *handle) : m_handle(handle)
{
}

Statement Statement::prepare(sqlite3 *db, const QString &sql)
{
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt *handle = nullptr;
    sqlite3_prepare_v2(db, text.constData(), int(text.size()), &handle, nullptr);
    return Statement(handle);
}

namespace
{

int bindVariant(sqlite3_stmt *stmt, int parameter, const QVariant &value)
{
    if (value.isNull())
        return sqlite3_bind_null(stmt, parameter);
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return sqlite3_bind_int64(stmt, parameter, value.toLongLong());
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        const qulonglong unsignedValue = value.toULongLong();
        if (unsignedValue > qulonglong(std::numeric_limits<qint64>::max()))
            return sqlite3_bind_double(stmt, parameter, double(unsignedValue));
        return sqlite3_bind_int64(stmt, parameter, qint64(unsignedValue));
    }
    case QMetaType::Float:
    case QMetaType::Double:
        return sqlite3_bind_double(stmt, parameter, value.toDouble());
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return sqlite3_bind_blob64(stmt, parameter, bytes.constData(), bytes.size(),
                                   SQLITE_TRANSIENT);
    }
    default: {
        const QByteArray text = value.toString().toUtf8();
        return sqlite3_bind_text64(stmt, parameter, text.constData(), text.size(), SQLITE_TRANSIENT,
                                   SQLITE_UTF8);
    }
    }
}

} // namespace

bool StoredValue::isNull() const
{
    return !m_value || sqlite3_value_type(m_value.get()) == SQLITE_NULL;
}

bool Statement::bind(int parameter, const QVariant &value, QString *error)
{
    if (value.typeId() == QMetaType::QString && !isSqlSafeText(value.toString())) {
        *error = unsafeTextMessage();
        return false;
    }
    if (bindVariant(m_handle.get(), parameter, value) != SQLITE_OK) {
        *error = QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(m_handle.get())));
        return false;
    }
    return true;
}

bool Statement::bind(int parameter, const StoredValue &value, QString *error)
{
    const int rc = value.m_value
                       ? sqlite3_bind_value(m_handle.get(), parameter, value.m_value.get())
                       : sqlite3_bind_null(m_handle.get(), parameter);
    if (rc != SQLITE_OK) {
        *error = QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(m_handle.get())));
        return false;
    }
    return true;
}

QVariant Statement::value(int column) const
{
    sqlite3_stmt *stmt = m_handle.get();
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, column));
    case SQLITE_TEXT: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, column));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(stmt, column)));
    }
    case SQLITE_BLOB: {
        const auto *bytes = static_cast<const char *>(sqlite3_column_blob(stmt, column));
        return QVariant(QByteArray(bytes, sqlite3_column_bytes(stmt, column)));
    }
    default:
        return QVariant();
    }
}

StoredValue Statement::storedValue(int column) const
{
    StoredValue stored;
    stored.m_value.reset(sqlite3_value_dup(sqlite3_column_value(m_handle.get(), column)),
                         sqlite3_value_free);
    return stored;
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_handle.get());
}

QString Statement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_handle.get(), column));
}

void Statement::reset()
{
    sqlite3_reset(m_handle.get());
    sqlite3_clear_bindings(m_handle.get());
}

} // namespace jet

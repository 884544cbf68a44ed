#include "platform/jet/connection.h"

#include "platform/jet/candidatestable.h"
#include "platform/jet/indexedlike.h"
#include "platform/jet/quoting.h"
#include "platform/jet/sqlfunctions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace jet
{

namespace
{

// The first bytes of every SQLite database file. Checking them also refuses an empty file,
// which SQLite would otherwise take for a new, empty database.
constexpr char kSqliteHeader[] = "SQLite format 3";

QString cannotOpen(const QString &fileName, const QString &reason)
{
    return QStringLiteral("無法開啟資料庫 %1：%2").arg(QDir::toNativeSeparators(fileName), reason);
}

QString fileProblem(const QString &fileName)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        return cannotOpen(fileName, QStringLiteral("檔案不存在"));
    if (!info.isFile())
        return cannotOpen(fileName, QStringLiteral("這不是檔案"));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return cannotOpen(fileName, file.errorString());
    if (file.read(sizeof kSqliteHeader) != QByteArray(kSqliteHeader, sizeof kSqliteHeader))
        return cannotOpen(fileName, QStringLiteral("這不是資料庫檔案"));
    return {};
}

} // namespace

Connection::Connection(sqlite3 *db, QString fileName)
    : m_db(db), m_fileName(std::move(fileName)), m_characterIndex(db)
{
}

Connection::~Connection()
{
    m_statements.clear(); // finalize before the close
    sqlite3_close_v2(m_db);
}

Result<std::shared_ptr<Connection>> Connection::open(const QString &fileName)
{
    using Opened = Result<std::shared_ptr<Connection>>;
    if (const QString problem = fileProblem(fileName); !problem.isEmpty())
        return Opened::failure(problem);

    sqlite3 *db = nullptr;
    // A connection is used by one thread at a time, so SQLite need not take its lock on each
    // call: reading a large answer makes dozens of calls a row.
    const int rc = sqlite3_open_v2(QFile::encodeName(fileName).constData(), &db,
                                   SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    // From here on the connection owns db, also when opening failed.
    std::shared_ptr<Connection> connection(new Connection(db, fileName));
    const auto failed = [&](const QString &message) {
        return Opened::failure(cannotOpen(fileName, message));
    };
    if (rc != SQLITE_OK)
        return failed(connection->errorMessage());
    sqlite3_extended_result_codes(db, 1);
    // The connection only reads, so it may hold its shared lock for good: a cursor step is
    // a statement of its own, and taking and dropping the file lock and checking the file
    // for changes on each one costs more than the index search. Other readers are not
    // hindered. Reading the schema takes the lock, and tells SQLite that a file with a
    // valid header is damaged.
    const char *setup = "PRAGMA query_only = 1; PRAGMA locking_mode = EXCLUSIVE;"
                        " SELECT count(*) FROM sqlite_schema;";
    if (sqlite3_exec(db, setup, nullptr, nullptr, nullptr) != SQLITE_OK)
        return failed(connection->errorMessage());
    if (registerJetFunctions(db) != SQLITE_OK ||
        registerCandidatesTable(db, &connection->m_characterIndex) != SQLITE_OK)
        return failed(connection->errorMessage());
    // A search reads most pages of a large file: mapped whole, they are read once and
    // shared with the system's file cache instead of passing through a small page cache.
    const QByteArray mapSize =
        "PRAGMA mmap_size = " + QByteArray::number(QFileInfo(fileName).size());
    sqlite3_exec(db, mapSize.constData(), nullptr, nullptr, nullptr);
    return connection;
}

QString Connection::errorMessage() const
{
    return QString::fromUtf8(sqlite3_errmsg(m_db));
}

Statement *Connection::cachedStatement(const QString &sql, QString *error)
{
    if (auto found = m_statements.find(sql); found != m_statements.end())
        return &found->second;
    if (!isSqlSafeText(sql)) {
        *error = unsafeTextMessage();
        return nullptr;
    }
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt *handle = nullptr;
    if (sqlite3_prepare_v3(m_db, text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT,
                           &handle, nullptr) != SQLITE_OK) {
        *error = errorMessage();
        sqlite3_finalize(handle);
        return nullptr;
    }
    return &m_statements.emplace(sql, Statement(handle)).first->second;
}

Statement Connection::prepareQuery(const QString &sql, QString *error)
{
    if (isSqlSafeText(sql)) {
        const QString indexed = WithCharacterIndex(m_db, m_characterIndex, sql);
        QString ignored; // a rewrite that fails to prepare falls back to the plain text
        if (indexed != sql) {
            if (Statement statement = prepare(indexed, &ignored); !statement.isNull())
                return statement;
        }
    }
    return prepare(sql, error);
}

Statement Connection::prepare(const QString &sql, QString *error) const
{
    if (!isSqlSafeText(sql)) {
        *error = unsafeTextMessage();
        return {};
    }
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt *handle = nullptr;
    const char *tail = nullptr;
    if (sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &handle, &tail) != SQLITE_OK) {
        *error = errorMessage();
        sqlite3_finalize(handle);
        return {};
    }
    Statement statement(handle);
    if (statement.isNull()) {
        *error = QStringLiteral("SQL 文字中沒有任何陳述式");
        return {};
    }
    // What follows the statement may only be blanks or comments, which prepare to no
    // statement: a second statement or anything SQLite cannot read is refused.
    sqlite3_stmt *second = nullptr;
    const int remaining = int(text.size() - (tail - text.constData()));
    const int rc = sqlite3_prepare_v2(m_db, tail, remaining, &second, nullptr);
    sqlite3_finalize(second);
    if (rc != SQLITE_OK || second != nullptr) {
        *error = QStringLiteral("SQL 陳述式結尾之後還有其他文字");
        return {};
    }
    return statement;
}

} // namespace jet

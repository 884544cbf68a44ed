#include "tests/vbprog/murvel/views/derivationscan.h"

#include "platform/jet/characterindex.h"
#include "platform/jet/indexedlike.h"
#include "platform/jet/likepattern.h"
#include "platform/jet/sqlfunctions.h"
#include "vbprog/murvel/core/scripttables.h"
#include "vbprog/murvel/views/derivationtables.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace
{

using Rows = QList<QList<QVariant>>;

Rows snapshotRows(const jet::Database &database, const QString &sql)
{
    jet::Result<jet::Snapshot> opened = database.openSnapshot(sql);
    EXPECT_TRUE(opened.ok()) << sql.toStdString() << ": " << opened.errorString().toStdString();
    jet::Snapshot snapshot = opened.value();
    Rows rows;
    for (snapshot.moveFirst(); !snapshot.eof(); snapshot.moveNext()) {
        QList<QVariant> row;
        for (qsizetype i = 0; i < snapshot.fieldNames().size(); ++i)
            row << snapshot.value(i);
        rows << row;
    }
    return rows;
}

// The file on a plain connection of its own, with nothing but the Jet LIKE: a statement
// runs there as written, by a scan.
class PlainConnection
{
public:
    explicit PlainConnection(const QString &path)
    {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READONLY, nullptr);
        jet::registerJetFunctions(m_db);
    }
    ~PlainConnection() { sqlite3_close(m_db); }

    Rows rows(const QString &sql) const
    {
        sqlite3_stmt *statement = nullptr;
        const QByteArray text = sql.toUtf8();
        EXPECT_EQ(sqlite3_prepare_v2(m_db, text.constData(), -1, &statement, nullptr), SQLITE_OK)
            << sql.toStdString();
        Rows rows;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            QList<QVariant> row;
            for (int i = 0; i < sqlite3_column_count(statement); ++i)
                row << value(statement, i);
            rows << row;
        }
        sqlite3_finalize(statement);
        return rows;
    }

    // The statement as the database layer runs it.
    QString withIndex(const QString &sql) const
    {
        jet::CharacterIndex index(m_db);
        return jet::WithCharacterIndex(m_db, index, sql);
    }

    QStringList roots() const
    {
        QStringList roots;
        for (const QList<QVariant> &row :
             rows(QStringLiteral("SELECT 字形 FROM 字根 ORDER BY rowid")))
            roots << row.first().toString();
        return roots;
    }

private:
    static QVariant value(sqlite3_stmt *statement, int column)
    {
        switch (sqlite3_column_type(statement, column)) {
        case SQLITE_INTEGER:
            return QVariant(qint64(sqlite3_column_int64(statement, column)));
        case SQLITE_FLOAT:
            return sqlite3_column_double(statement, column);
        case SQLITE_TEXT:
            return QString::fromUtf8(
                reinterpret_cast<const char *>(sqlite3_column_text(statement, column)),
                sqlite3_column_bytes(statement, column));
        case SQLITE_BLOB:
            return QByteArray(static_cast<const char *>(sqlite3_column_blob(statement, column)),
                              sqlite3_column_bytes(statement, column));
        default:
            return {};
        }
    }

    sqlite3 *m_db = nullptr;
};

struct Search {
    QString typed;
    DerivationOptions options;
};

// What a user types for a root: the root alone in the four marks of the single-component
// modes, the root with another in the two- component modes, and SQL patterns around it.
QList<Search> searchesOf(const QString &root, const QString &other)
{
    QList<Search> searches;
    for (const bool variants : {false, true}) {
        searches.append({root, {.stepwise = true, .variantRoots = variants}});
        searches.append({root, {.variantRoots = variants}});
        searches.append({root + other, {.variantRoots = variants}});
        searches.append({root + other, {.inputOrder = true, .variantRoots = variants}});
        for (const QString &typed : {root + u'*', u'*' + root + u'?', u'?' + other + u'*' + root})
            searches.append({typed, {.variantRoots = variants, .sqlLike = true}});
    }
    return searches;
}

} // namespace

int ExpectDerivationsMatchTheScan(const QString &script)
{
    const DerivationScript handles = DerivationScriptOf(script);
    const JetDerivationTables scriptTables(handles);
    const JetDerivationTables regular(DerivationScriptOf(ScriptCodes::Regular));
    const PlainConnection plain(handles.database->fileName());
    const QStringList roots = plain.roots();
    EXPECT_FALSE(roots.isEmpty());

    const CharacterSet sets[] = {CharacterSet::All, CharacterSet::Common, CharacterSet::Big5,
                                 CharacterSet::Simplified, CharacterSet::HanyuDazidian};
    int indexed = 0;
    int turn = 0;
    for (qsizetype r = 0; r < roots.size(); ++r) {
        for (const Search &search : searchesOf(roots[r], roots[(r + 1) % roots.size()])) {
            const DerivationTerms terms = PrepareDerivationSearch(search.typed, search.options,
                                                                  script, regular, scriptTables);
            const QString pattern =
                建構組字式(terms.text, terms.column, search.options.sqlLike, scriptTables);
            if (IsUselessPattern(pattern))
                continue;
            const QString sql =
                BuildDerivationSql({.column = terms.column,
                                    .pattern = pattern,
                                    .rootText = terms.text,
                                    .set = sets[turn % std::size(sets)],
                                    .stepwiseSetting = turn % 2 == 0,
                                    .regularScript = !ScriptCodes::IsAncient(script)});
            ++turn;
            // Every pattern with a literal character takes the index.
            const bool takesIndex = plain.withIndex(sql) != sql;
            EXPECT_EQ(takesIndex, !jet::LikePattern(pattern).requiredCharacters().empty())
                << sql.toStdString();
            indexed += takesIndex;
            EXPECT_EQ(snapshotRows(*handles.database, sql), plain.rows(sql)) << sql.toStdString();
            if (testing::Test::HasFailure())
                return indexed;
        }
    }
    return indexed;
}

#include "platform/jet/planorder.h"

#include "platform/jet/quoting.h"
#include "platform/jet/statement.h"

#include <sqlite3.h>

namespace jet
{

using namespace Qt::StringLiterals;

namespace
{

// The lines of the statement's query plan, less the sorts: a sort of the whole answer or
// of each run of rows that agree on its first terms keeps the order read among equals.
QStringList planSteps(sqlite3 *db, const QString &sql)
{
    QStringList steps;
    const Statement plan = Statement::prepare(db, u"EXPLAIN QUERY PLAN "_s + sql);
    while (!plan.isNull() && sqlite3_step(plan.handle()) == SQLITE_ROW) {
        const QString step = plan.value(3).toString();
        if (!(step.startsWith(u"USE TEMP B-TREE FOR ") && step.endsWith(u"ORDER BY")))
            steps << step;
    }
    return steps;
}

// False when the statement's program walks a table or index backwards, as a plan may do
// to answer an ORDER BY ... DESC: rows with equal keys then come in descending rowid order.
bool walksForward(sqlite3 *db, const QString &sql)
{
    const Statement program = Statement::prepare(db, u"EXPLAIN "_s + sql);
    if (program.isNull())
        return false;
    while (sqlite3_step(program.handle()) == SQLITE_ROW) {
        const QString opcode = program.value(1).toString();
        if (opcode == u"Last" || opcode == u"Prev")
            return false;
    }
    return true;
}

// The key order of an index, rowid last. Nullopt for an index over expressions or with
// another collation than binary.
std::optional<QStringList> indexOrder(sqlite3 *db, const QString &table, const QString &indexName)
{
    const Statement columns =
        Statement::prepare(db, u"PRAGMA index_xinfo(%1)"_s.arg(quoteIdentifier(indexName)));
    if (columns.isNull())
        return std::nullopt;
    QStringList order;
    while (sqlite3_step(columns.handle()) == SQLITE_ROW) {
        // seqno, cid, name, desc, coll, key
        if (sqlite3_column_int(columns.handle(), 5) == 0)
            continue;
        if (sqlite3_column_int(columns.handle(), 1) < 0 ||
            columns.value(4).toString().compare(u"BINARY", Qt::CaseInsensitive) != 0)
            return std::nullopt;
        order << quoteIdentifier(table) + u'.' + quoteIdentifier(columns.value(2).toString()) +
                     (sqlite3_column_int(columns.handle(), 3) ? u" DESC"_s : QString());
    }
    if (order.isEmpty())
        return std::nullopt;
    return order << quoteIdentifier(table) + u".rowid"_s;
}

// The order in which one loop of the plan reads the table: "SCAN t", "SCAN t USING
// [COVERING] INDEX i", "SEARCH t USING [COVERING] INDEX i (...)" or "SEARCH t USING
// INTEGER PRIMARY KEY (...)".
std::optional<QStringList> loopOrder(sqlite3 *db, const QString &table, const QString &step)
{
    const QStringList byRowid = {quoteIdentifier(table) + u".rowid"_s};
    if (step.compare(u"SCAN "_s + table, Qt::CaseInsensitive) == 0)
        return byRowid;
    QString access;
    for (const QString &start : {u"SCAN "_s, u"SEARCH "_s}) {
        const QString prefix = start + table + u" USING "_s;
        if (step.startsWith(prefix, Qt::CaseInsensitive))
            access = step.sliced(prefix.size());
    }
    if (access.startsWith(u"INTEGER PRIMARY KEY"))
        return byRowid;
    for (const QString &index : {u"INDEX "_s, u"COVERING INDEX "_s}) {
        if (access.startsWith(index))
            return indexOrder(db, table, access.sliced(index.size()).section(u" ("_s, 0, 0));
    }
    return std::nullopt;
}

// A search of one index per OR term: "MULTI-INDEX OR", then "INDEX n" and its loop for each
// term in turn. Each row is read by the loop of the first term it meets.
std::optional<QStringList> multiIndexOrder(sqlite3 *db, const QString &table,
                                           const QStringList &steps, const QStringList &orTerms)
{
    if (steps.size() != 1 + 2 * orTerms.size() || steps.first() != u"MULTI-INDEX OR")
        return std::nullopt;
    // Joined, not formatted: a term's text may hold a % of its own.
    QString firstTerm = u"CASE"_s;
    for (qsizetype i = 0; i < orTerms.size(); ++i)
        firstTerm += u" WHEN ("_s + orTerms[i] + u") THEN "_s + QString::number(i + 1);
    firstTerm += u" END"_s;
    QStringList order = {firstTerm};
    for (qsizetype i = 0; i < orTerms.size(); ++i) {
        const std::optional<QStringList> loop = loopOrder(db, table, steps[2 + 2 * i]);
        if (steps[1 + 2 * i] != u"INDEX %1"_s.arg(i + 1) || !loop)
            return std::nullopt;
        for (QString key : *loop) {
            const bool descending = key.endsWith(u" DESC");
            if (descending)
                key.chop(5);
            order << u"CASE "_s + firstTerm + u" WHEN "_s + QString::number(i + 1) + u" THEN "_s +
                         key + u" END"_s + (descending ? u" DESC"_s : QString());
        }
    }
    return order;
}

} // namespace

std::optional<QString> PlanReadOrder(sqlite3 *db, const QString &sql, const QString &table,
                                     const QStringList &orTerms)
{
    const QStringList steps = planSteps(db, sql);
    const std::optional<QStringList> order = steps.size() == 1
                                                 ? loopOrder(db, table, steps.first())
                                                 : multiIndexOrder(db, table, steps, orTerms);
    if (!order || !walksForward(db, sql))
        return std::nullopt;
    return order->join(u", ");
}

} // namespace jet

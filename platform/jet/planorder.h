#pragma once

#include <QString>
#include <QStringList>
#include <optional>

struct sqlite3;

namespace jet
{

// The order in which SQLite's plan of a statement on one table reads the table's rows, as
// ORDER BY terms: rowid for a scan; an index's keys, then rowid, for an index walk; for a
// search of one index per term that OR joins at the top of the WHERE clause (`orTerms`),
// the number of the first term a row meets, then the order of that term's index. A sort
// keeps rows that compare equal in the order read, so these terms after a statement's
// own ORDER BY give its answer's order whatever plan runs it. Nullopt for any other plan
// and for a plan that walks backwards.
std::optional<QString> PlanReadOrder(sqlite3 *db, const QString &sql, const QString &table,
                                     const QStringList &orTerms);

} // namespace jet

#pragma once

#include <QString>

struct sqlite3;

namespace jet
{

class CharacterIndex;

// The statement with each LIKE term on a column that the character index covers answered
// through the index: the term `column LIKE 'pattern'` becomes
//   (rowid IN (SELECT record FROM jet_candidates(...)) AND column LIKE 'pattern')
// so that only the records holding every literal character of the pattern are read, and
// each is still checked against the whole pattern. The answer keeps the order the plain
// statement gives: its ORDER BY, then the order the plain plan reads the rows in (the
// index it walks, or rowid), which the plain plan leaves ties in.
//
// Only a plain search is changed: one SELECT from one table, no function in the columns,
// no grouping, DISTINCT, LIMIT, join or compound, and terms that stand in an AND/OR tree
// right under WHERE. Anything else, a pattern without a literal character, a column
// without an index and a plan that reads the table other than by one scan or one index
// come back unchanged.
QString WithCharacterIndex(sqlite3 *db, CharacterIndex &index, const QString &sql);

} // namespace jet

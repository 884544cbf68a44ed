#pragma once

struct sqlite3;

namespace jet
{

// The message of a LIKE whose pattern is malformed (an open '[', an empty set).
inline constexpr char kInvalidPatternMessage[] =
    "SQL 的 Like 樣式字串不正確（例如 [ 沒有對應的 ]）";

// Registers on the connection what the program's SQL texts need of Jet SQL:
// - like(pattern, text), which SQLite calls for "text LIKE pattern": Jet's LIKE (see
//   LikePattern) in place of SQLite's own, which is ASCII-case-insensitive and uses % and _.
//   An invalid pattern fails the statement with kInvalidPatternMessage.
// - the aggregate First(x): the first value of x in its group, in the order the rows reach
//   the aggregate (row order for a plain scan).
// Returns an SQLite result code.
int registerJetFunctions(sqlite3 *db);

} // namespace jet

#pragma once

struct sqlite3;

namespace jet
{

class CharacterIndex;

// Registers the table-valued function jet_candidates(table, column, characters) on the
// connection: one row, column `record`, for each rowid, ascending, of the table's records
// whose column holds every one of the characters, as the character index has them. The
// index must outlive the connection.
int registerCandidatesTable(sqlite3 *db, const CharacterIndex *index);

} // namespace jet

#include "platform/jet/candidatestable.h"

#include "platform/jet/characterindex.h"
#include "platform/jet/likepattern.h"

#include <sqlite3.h>
#include <vector>

namespace jet
{

namespace
{

enum Column { Record, TableName, ColumnName, Characters, ColumnCount };

struct CandidatesTable {
    sqlite3_vtab base; // first, as SQLite requires
    const CharacterIndex *index;
};

struct CandidatesCursor {
    sqlite3_vtab_cursor base; // first, as SQLite requires
    std::vector<qint64> records;
    size_t at = 0;
};

QString textOf(sqlite3_value *value)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_value_text(value)),
                             sqlite3_value_bytes(value));
}

int connect(sqlite3 *db, void *index, int, const char *const *, sqlite3_vtab **table, char **)
{
    const int rc = sqlite3_declare_vtab(db, "CREATE TABLE x(record INTEGER, table_name HIDDEN,"
                                            " column_name HIDDEN, characters HIDDEN)");
    if (rc != SQLITE_OK)
        return rc;
    auto *candidates = new CandidatesTable{};
    candidates->index = static_cast<const CharacterIndex *>(index);
    *table = &candidates->base;
    return SQLITE_OK;
}

int disconnect(sqlite3_vtab *table)
{
    delete reinterpret_cast<CandidatesTable *>(table);
    return SQLITE_OK;
}

// Every plan needs the three arguments, each as an equality.
int bestIndex(sqlite3_vtab *, sqlite3_index_info *info)
{
    int argument[ColumnCount] = {-1, -1, -1, -1};
    for (int i = 0; i < info->nConstraint; ++i) {
        const auto &constraint = info->aConstraint[i];
        if (constraint.iColumn > Record && constraint.usable &&
            constraint.op == SQLITE_INDEX_CONSTRAINT_EQ)
            argument[constraint.iColumn] = i;
    }
    for (int column = TableName; column < ColumnCount; ++column) {
        if (argument[column] < 0)
            return SQLITE_CONSTRAINT;
        info->aConstraintUsage[argument[column]].argvIndex = column;
        info->aConstraintUsage[argument[column]].omit = 1;
    }
    info->orderByConsumed =
        info->nOrderBy == 1 && info->aOrderBy[0].iColumn == Record && !info->aOrderBy[0].desc;
    info->estimatedCost = 10;
    info->estimatedRows = 1000;
    return SQLITE_OK;
}

int open(sqlite3_vtab *, sqlite3_vtab_cursor **cursor)
{
    *cursor = &(new CandidatesCursor{})->base;
    return SQLITE_OK;
}

int close(sqlite3_vtab_cursor *cursor)
{
    delete reinterpret_cast<CandidatesCursor *>(cursor);
    return SQLITE_OK;
}

int filter(sqlite3_vtab_cursor *base, int, const char *, int argc, sqlite3_value **argv)
{
    auto *cursor = reinterpret_cast<CandidatesCursor *>(base);
    auto *table = reinterpret_cast<CandidatesTable *>(base->pVtab);
    cursor->records.clear();
    cursor->at = 0;
    if (argc != ColumnCount - 1)
        return SQLITE_ERROR;
    const std::u32string characters =
        decodeUtf8({reinterpret_cast<const char *>(sqlite3_value_text(argv[2])),
                    size_t(sqlite3_value_bytes(argv[2]))});
    if (characters.empty())
        return SQLITE_OK;
    auto found = table->index->candidates(textOf(argv[0]), textOf(argv[1]), characters);
    if (!found) {
        sqlite3_free(table->base.zErrMsg);
        table->base.zErrMsg = sqlite3_mprintf("%s", found.errorString().toUtf8().constData());
        return SQLITE_ERROR;
    }
    cursor->records = std::move(found).value();
    return SQLITE_OK;
}

int next(sqlite3_vtab_cursor *base)
{
    ++reinterpret_cast<CandidatesCursor *>(base)->at;
    return SQLITE_OK;
}

int eof(sqlite3_vtab_cursor *base)
{
    const auto *cursor = reinterpret_cast<CandidatesCursor *>(base);
    return cursor->at >= cursor->records.size();
}

int column(sqlite3_vtab_cursor *base, sqlite3_context *context, int column)
{
    const auto *cursor = reinterpret_cast<CandidatesCursor *>(base);
    if (column == Record)
        sqlite3_result_int64(context, cursor->records[cursor->at]);
    else
        sqlite3_result_null(context);
    return SQLITE_OK;
}

int rowid(sqlite3_vtab_cursor *base, sqlite3_int64 *rowid)
{
    *rowid = sqlite3_int64(reinterpret_cast<CandidatesCursor *>(base)->at);
    return SQLITE_OK;
}

const sqlite3_module &candidatesModule()
{
    static const sqlite3_module module = [] {
        sqlite3_module m{}; // no xCreate: eponymous only, never CREATE VIRTUAL TABLE
        m.xConnect = connect;
        m.xBestIndex = bestIndex;
        m.xDisconnect = disconnect;
        m.xDestroy = disconnect;
        m.xOpen = open;
        m.xClose = close;
        m.xFilter = filter;
        m.xNext = next;
        m.xEof = eof;
        m.xColumn = column;
        m.xRowid = rowid;
        return m;
    }();
    return module;
}

} // namespace

int registerCandidatesTable(sqlite3 *db, const CharacterIndex *index)
{
    return sqlite3_create_module_v2(db, "jet_candidates", &candidatesModule(),
                                    const_cast<CharacterIndex *>(index), nullptr);
}

} // namespace jet

#include "platform/jet/sqlfunctions.h"

#include "platform/jet/likepattern.h"

#include <sqlite3.h>
#include <string_view>

namespace jet
{

namespace
{

std::string_view utf8Of(sqlite3_value *value)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(value));
    return {text ? text : "", size_t(sqlite3_value_bytes(value))};
}

void jetLike(sqlite3_context *context, int, sqlite3_value **arguments)
{
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL ||
        sqlite3_value_type(arguments[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    // One buffer serves every row: the function runs once per record of a scan.
    thread_local std::u32string text;
    decodeUtf8(utf8Of(arguments[1]), text);
    // The pattern of a statement is compiled once and kept with the statement while the
    // pattern argument stays the same.
    if (const auto *cached = static_cast<const LikePattern *>(sqlite3_get_auxdata(context, 0))) {
        sqlite3_result_int(context, cached->matches(text));
        return;
    }
    auto *pattern = new LikePattern(decodeUtf8(utf8Of(arguments[0])));
    if (pattern->isValid())
        sqlite3_result_int(context, pattern->matches(text));
    else
        sqlite3_result_error(context, kInvalidPatternMessage, -1);
    // SQLite owns the pattern from here and may delete it at once, so it is used before.
    sqlite3_set_auxdata(context, 0, pattern,
                        [](void *compiled) { delete static_cast<LikePattern *>(compiled); });
}

struct FirstState {
    bool seen;
    sqlite3_value *value; // Owned; a copy of the first value.
};

void firstStep(sqlite3_context *context, int, sqlite3_value **arguments)
{
    auto *state = static_cast<FirstState *>(sqlite3_aggregate_context(context, sizeof(FirstState)));
    if (!state) {
        sqlite3_result_error_nomem(context);
        return;
    }
    if (state->seen)
        return;
    state->seen = true;
    state->value = sqlite3_value_dup(arguments[0]);
    if (!state->value)
        sqlite3_result_error_nomem(context);
}

void firstFinal(sqlite3_context *context)
{
    auto *state = static_cast<FirstState *>(sqlite3_aggregate_context(context, 0));
    if (!state || !state->value) {
        sqlite3_result_null(context);
        return;
    }
    sqlite3_result_value(context, state->value);
    sqlite3_value_free(state->value);
    state->value = nullptr;
}

} // namespace

int registerJetFunctions(sqlite3 *db)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    const int rc =
        sqlite3_create_function(db, "like", 2, flags, nullptr, jetLike, nullptr, nullptr);
    if (rc != SQLITE_OK)
        return rc;
    // First() depends on the order of the rows, so it is not deterministic.
    return sqlite3_create_function(db, "first", 1, SQLITE_UTF8, nullptr, nullptr, firstStep,
                                   firstFinal);
}

} // namespace jet

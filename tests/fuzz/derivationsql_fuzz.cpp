// The derivation search's query over the sample databases: whatever is typed, with any marks,
// script and character set, the SQL text runs. Only a LIKE text that the user writes in SQL
// mode and that is no valid pattern may be refused, and text that SQL cannot hold.
#include "platform/jet/likepattern.h"
#include "sampledatabases.h"
#include "vbprog/murvel/core/scripttables.h"
#include "vbprog/murvel/views/derivationquery.h"
#include "vbprog/murvel/views/derivationtables.h"

namespace
{

const CharacterSet Sets[] = {CharacterSet::All, CharacterSet::Common, CharacterSet::Big5,
                             CharacterSet::Simplified, CharacterSet::HanyuDazidian};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    OpenSampleDatabases();
    return 0;
}

// Input: one byte of marks, one byte choosing the script and the character set, the text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const uint8_t marks = data[0];
    const DerivationOptions options{.stepwise = (marks & 1) != 0,
                                    .inputOrder = (marks & 2) != 0,
                                    .variantRoots = (marks & 4) != 0,
                                    .sqlLike = (marks & 8) != 0};
    const QString &script = Scripts()[data[1] % Scripts().size()].code;
    const CharacterSet set = Sets[data[1] / 5 % 5];
    const QString typed = fuzz::TextOf(fuzz::BytesOf(data + 2, size - 2));

    const DerivationScript handles = DerivationScriptOf(script);
    const JetDerivationTables tables(handles);
    const JetDerivationTables regular(DerivationScriptOf(ScriptCodes::Regular));
    const DerivationTerms terms = PrepareDerivationSearch(typed, options, script, regular, tables);
    const QString pattern = 建構組字式(terms.text, terms.column, options.sqlLike, tables);
    if (IsUselessPattern(pattern))
        return 0;
    const QString sql = BuildDerivationSql({.column = terms.column,
                                            .pattern = pattern,
                                            .rootText = terms.text,
                                            .set = set,
                                            .stepwiseSetting = (marks & 16) != 0,
                                            .regularScript = script == ScriptCodes::Regular});
    const jet::Result<jet::Snapshot> answer = handles.database->openSnapshot(sql);
    // Text that UTF-8 cannot carry (a NUL, an unpaired surrogate) may be refused too.
    const bool userPatternRefused = options.sqlLike && !jet::LikePattern(pattern).isValid();
    const bool textRefused = sql.contains(QChar(0)) || QString::fromUtf8(sql.toUtf8()) != sql;
    fuzz::Check(answer.ok() || userPatternRefused || textRefused, "the statement runs",
                sql + u'\n' + (answer.ok() ? QString() : answer.errorString()));
    return 0;
}

// The database layer's rewrite of a statement through the character index, on the sample
// database: whatever the text, only a statement that prepares is rewritten, and when the
// statement as written answers, the rewritten one gives the same answer, row for row and in
// the same order. (A function that fails on a record the index leaves out fails no more.)
#include "fuzzsupport.h"
#include "platform/jet/candidatestable.h"
#include "platform/jet/characterindex.h"
#include "platform/jet/indexedlike.h"
#include "platform/jet/sqlfunctions.h"

#include <QFile>
#include <QStringList>
#include <optional>
#include <sqlite3.h>

namespace
{

sqlite3 *Db = nullptr;
jet::CharacterIndex *Index = nullptr;

// Statements that run longer than this many virtual machine steps are cut short: a fuzzed
// condition may ask for any amount of work.
constexpr int StepLimit = 20'000'000;

enum class Outcome { Answered, Unprepared, Failed, CutShort };

struct Answer {
    Outcome outcome = Outcome::Unprepared;
    QStringList rows;
};

Answer Run(const QString &sql)
{
    Answer answer;
    sqlite3_stmt *statement = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(Db, text.constData(), int(text.size()), &statement, nullptr) !=
            SQLITE_OK ||
        statement == nullptr)
        return answer;
    int steps = 0;
    sqlite3_progress_handler(
        Db, 1000,
        [](void *count) -> int { return ++*static_cast<int *>(count) > StepLimit / 1000; }, &steps);
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        QString row;
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            const auto *value = reinterpret_cast<const char *>(sqlite3_column_text(statement, i));
            row += QString::number(sqlite3_column_type(statement, i)) + u':' +
                   QString::fromUtf8(value, sqlite3_column_bytes(statement, i)) + u'|';
        }
        answer.rows << row;
    }
    sqlite3_progress_handler(Db, 0, nullptr, nullptr);
    sqlite3_finalize(statement);
    answer.outcome = rc == SQLITE_DONE        ? Outcome::Answered
                     : rc == SQLITE_INTERRUPT ? Outcome::CutShort
                                              : Outcome::Failed;
    return answer;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    const QByteArray path = QFile::encodeName(QStringLiteral(MURVEL_PROGRAM_DIR "/murvel.mdb"));
    fuzz::Check(sqlite3_open_v2(path.constData(), &Db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK,
                "the sample database opens");
    sqlite3_limit(Db, SQLITE_LIMIT_LENGTH, 1'000'000);
    jet::registerJetFunctions(Db);
    Index = new jet::CharacterIndex(Db); // lives as long as the connection, for the run
    jet::registerCandidatesTable(Db, Index);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString sql = fuzz::TextOf(fuzz::BytesOf(data, size));
    const QString indexed = jet::WithCharacterIndex(Db, *Index, sql);
    if (indexed == sql)
        return 0;
    const Answer plain = Run(sql);
    const Answer rewritten = Run(indexed);
    if (plain.outcome == Outcome::CutShort || rewritten.outcome == Outcome::CutShort)
        return 0;
    fuzz::Check(plain.outcome != Outcome::Unprepared, "only a statement that prepares is rewritten",
                sql);
    if (plain.outcome != Outcome::Answered)
        return 0;
    fuzz::Check(rewritten.outcome == Outcome::Answered, "the rewritten statement runs",
                sql + u'\n' + indexed);
    fuzz::Check(rewritten.rows == plain.rows, "the rewritten statement gives the plain answer",
                sql + u'\n' + indexed);
    return 0;
}

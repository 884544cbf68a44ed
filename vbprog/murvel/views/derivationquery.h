#pragma once

#include "vbprog/murvel/core/scripttables.h"

#include <QString>
#include <optional>

// The derivation search's query: which sequence column of 檢字表 it searches, the LIKE
// pattern built from the typed components, and the SQL text run on the script's database.

// The four check marks of the 部件檢字 options.
struct DerivationOptions {
    bool stepwise = false;     // 逐級列出單一部件: single components by component sequence
    bool inputOrder = false;   // 遵照輸入部件順序: roots in the typed order
    bool variantRoots = false; // 包含異寫部件: variant roots count as their key root
    bool sqlLike = false;      // 採用SQL語法: the user writes LIKE wildcards
};

// The character set that filters the answer (the marked item of the 字集 menu).
enum class CharacterSet { All, Common, Big5, Simplified, HanyuDazidian };

// The Big5 glyphs are those numbered 1..13053.
constexpr int LastBig5Number = 13053;

// The lookups the search needs in one script's tables.
class DerivationTables
{
public:
    virtual ~DerivationTables() = default;
    // The column of the first 檢字表 record (index 字形) whose 字形 is the glyph; nullopt
    // when no record has it. A Null value reads as the empty text.
    virtual std::optional<QString> sequenceOf(const QString &glyph,
                                              const QString &column) const = 0;
    // 編號 of the root in table 字根; nullopt when the table lacks it.
    virtual std::optional<qint32> rootNumber(const QString &root) const = 0;
    // 異寫 of the root in table 異寫字根; nullopt when it has none.
    virtual std::optional<QString> variantOf(const QString &root) const = 0;
};

// What a search looks for: the text after the input mapping (the root text of the tree)
// and the column searched.
struct DerivationTerms {
    QString text;
    QString column;
};

// A repeating operator followed by one component stands for the component repeated two,
// three or four times; every other text is returned unchanged.
QString ExpandRepetitionInput(const QString &text);

// The main search: repetition input, the column chosen by the options and the script, the
// variant mappings. `regular` holds 異寫字根 of the regular script, `script` the tables of
// the script searched (the same for the regular script).
DerivationTerms PrepareDerivationSearch(const QString &text, const DerivationOptions &options,
                                        const QString &script, const DerivationTables &regular,
                                        const DerivationTables &scriptTables);

// Opening an item of the tree: its own text and the column for it (SQL and input order
// play no part), on the script that the search ran on.
DerivationTerms PrepareDerivationExpansion(const QString &itemText,
                                           const DerivationOptions &options, const QString &script,
                                           const DerivationTables &regular);

// The LIKE pattern for the column (建構組字式). Component sequences take the typed text as
// it stands, its wildcard characters included literally; root sequences and root sets
// take the roots that `tables` gives for each character. With sqlLike the root runs and
// the typed wildcards are joined as they stand and the user writes the rest.
QString 建構組字式(const QString &text, const QString &column, bool sqlLike,
                   const DerivationTables &tables);

// A pattern that would match every sequence: "", "*" and "**" run no query.
bool IsUselessPattern(const QString &pattern);

// The field of 檢字表 holding the count of glyphs built with a glyph, within the set.
QString CountField(CharacterSet set);

// Everything the SQL text depends on.
struct DerivationQuery {
    QString column;
    QString pattern;
    QString rootText;
    CharacterSet set = CharacterSet::All;
    bool stepwiseSetting = false; // the saved 逐級列出 switch is on
    bool regularScript = true;    // ordered by radical and strokes, else by number
};

// The SQL text of a search. Component columns also return the root glyph's own record; the
// typed texts go in as quoted literals, so no text can break the statement.
QString BuildDerivationSql(const DerivationQuery &query);

#pragma once

#include <QList>
#include <QString>
#include <optional>

// The rules that break components down into roots (字根) and order them: the keys of the
// indexes 字根序, 字根序二, 字根組 and 字根組二 of table 檢字表. The formula search applies
// them to typed text; the database generator applies them to every stored glyph, so that a
// glyph's own formula always finds it.

// The lookups the rules need, over whatever holds the tables.
class RootCatalog
{
public:
    // One record of 檢字表 as the rules see it.
    struct Record {
        std::optional<int> face;             // 字體; nullopt for Null
        int kind = 0;                        // 連接符號
        std::optional<QString> rootSequence; // 字根序; nullopt for Null
    };

    virtual ~RootCatalog() = default;
    // The records of 檢字表 whose 字形 is the glyph, in index order (ties in row order).
    virtual QList<Record> recordsOf(const QString &glyph) const = 0;
    // 異寫 of the root in 異寫字根, or nullopt when the root has no variant writing.
    virtual std::optional<QString> variantOf(const QString &root) const = 0;
    // 編號 of the root in table 字根, or nullopt when the table lacks it.
    virtual std::optional<qint32> rootNumber(const QString &root) const = 0;
};

// Caps that keep damaged data (a glyph that reaches itself through its roots, or branching
// chains) from running on: expansion stops this deep; one root sequence, however many
// components it is built from, grows no longer than MaxRootSequenceLength and looks up no
// more than MaxRootLookups glyphs.
constexpr int MaxRootExpansionDepth = 32;
constexpr qsizetype MaxRootSequenceLength = 4096;
constexpr qsizetype MaxRootLookups = 4 * MaxRootSequenceLength;

// The roots of the components: each character's first record contributes its 字根序,
// itself expanded again when the record is composed (連接符號 neither 0 nor 9).
// nullopt when a record whose roots are needed has a Null 字根序 (records the rule does not
// use may lack theirs).
std::optional<QString> ExpandRootSequence(const RootCatalog &catalog, const QString &components);

// The root sequence of a formula key, in writing order: every record of a component with
// 字體 0 adds its roots; a prefix operator repeats the roots of the component after it.
// nullopt as for ExpandRootSequence.
std::optional<QString> BuildRootSequence(const RootCatalog &catalog, const QString &key);

// Every root that has a variant writing replaced by it; no longer than MaxRootSequenceLength.
QString ReplaceVariantRoots(const RootCatalog &catalog, const QString &roots);

// The roots ordered by ascending 字根.編號 (roots missing from 字根 first), by the exchange
// sort whose exact order the stored keys depend on: equal numbers are never swapped. The sort
// takes quadratic time, so only the first MaxRootSequenceLength roots take part.
QString SortComponentsByNumber(const RootCatalog &catalog, const QString &roots);

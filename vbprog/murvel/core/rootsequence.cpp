#include "rootsequence.h"

#include "formula.h"

#include <utility>

namespace {

// `path` holds the glyphs being expanded, so a glyph that reaches itself contributes its
// stored roots instead of expanding again; `budget` caps the total output, so even
// branching data that is deep but acyclic cannot grow without bound.
QString expand(const RootCatalog &catalog, const QString &components, QList<QChar> &path,
               qsizetype &budget)
{
    QString roots;
    for (QChar c : components) {
        if (budget <= 0)
            break;
        const QList<RootCatalog::Record> records = catalog.recordsOf(QString(c));
        if (records.isEmpty())
            continue;
        const RootCatalog::Record &first = records.first();
        const bool composed = first.kind != FormulaKinds::Root && first.kind != FormulaKinds::Symbol;
        QString piece;
        if (composed && !path.contains(c) && path.size() < MaxRootExpansionDepth) {
            path.append(c);
            piece = expand(catalog, first.rootSequence, path, budget);
            path.removeLast();
        } else {
            piece = first.rootSequence.left(budget);
            budget -= piece.size();
        }
        roots += piece;
    }
    return roots;
}

} // namespace

QString ExpandRootSequence(const RootCatalog &catalog, const QString &components)
{
    QList<QChar> path;
    qsizetype budget = MaxRootSequenceLength;
    return expand(catalog, components, path, budget);
}

QString BuildRootSequence(const RootCatalog &catalog, const QString &key)
{
    QString roots;
    for (qsizetype p = 0; p < key.size(); ++p) {
        const int prefix = FindOperator(QString(key[p]), OperatorNumbers::PrefixFirst,
                                        OperatorNumbers::PrefixLast);
        if (prefix == 0) {
            for (const RootCatalog::Record &record : catalog.recordsOf(QString(key[p]))) {
                if (record.face != 0)
                    continue; // other typefaces, and a Null 字體, add nothing
                roots += record.kind != FormulaKinds::Root
                    ? ExpandRootSequence(catalog, record.rootSequence)
                    : record.rootSequence;
            }
            continue;
        }
        if (++p >= key.size())
            break;
        const QString component(key[p]);
        const QList<RootCatalog::Record> records = catalog.recordsOf(component);
        if (records.isEmpty())
            continue;
        const RootCatalog::Record &first = records.first();
        const QString piece = first.kind != FormulaKinds::Root
            ? ExpandRootSequence(catalog, first.rootSequence)
            : component;
        roots += piece.repeated(PrefixRepeatCount(prefix));
    }
    return roots;
}

QString ReplaceVariantRoots(const RootCatalog &catalog, const QString &roots)
{
    QString replaced;
    for (QChar c : roots)
        replaced += catalog.variantOf(QString(c)).value_or(QString(c));
    return replaced;
}

QString SortComponentsByNumber(const RootCatalog &catalog, const QString &roots)
{
    // Every root takes part (no slot limit); numbers are 32-bit.
    QList<std::pair<QChar, qint32>> entries;
    entries.reserve(roots.size());
    for (QChar c : roots)
        entries.append({c, catalog.rootNumber(QString(c)).value_or(-1)});
    for (qsizetype i = 0; i < entries.size(); ++i) {
        for (qsizetype j = i + 1; j < entries.size(); ++j) {
            if (entries[j].second < entries[i].second)
                std::swap(entries[i], entries[j]);
        }
    }
    QString sorted;
    sorted.reserve(entries.size());
    for (const auto &entry : entries)
        sorted += entry.first;
    return sorted;
}

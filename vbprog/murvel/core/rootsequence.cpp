#include "vbprog/murvel/core/rootsequence.h"

#include "vbprog/murvel/core/formula.h"

#include <utility>
#include <vector>

namespace
{

bool isComposed(const RootCatalog::Record &record)
{
    return record.kind != FormulaKinds::Root && record.kind != FormulaKinds::Symbol;
}

// One root sequence being built. The caps hold for all of it, however many components and
// records it is made of, so a key of many components on damaged data cannot multiply them.
class Expansion
{
public:
    explicit Expansion(const RootCatalog &catalog) : m_catalog(catalog) {}

    std::optional<QString> result(const QString &roots) const
    {
        return m_failed ? std::nullopt : std::optional<QString>(roots);
    }

    // The records of a glyph; none once the lookups are used up.
    QList<RootCatalog::Record> recordsOf(QChar glyph)
    {
        if (m_lookupsLeft <= 0 || m_rootsLeft <= 0)
            return {};
        --m_lookupsLeft;
        return m_catalog.recordsOf(QString(glyph));
    }

    // As much of the text as the length cap still allows.
    QString budgeted(const QString &text)
    {
        const QString kept = text.left(std::max<qsizetype>(m_rootsLeft, 0));
        m_rootsLeft -= kept.size();
        return kept;
    }

    // The record's 字根序 as stored. A composed record without one cannot give its roots.
    QString storedRoots(const RootCatalog::Record &record)
    {
        if (!record.rootSequence) {
            m_failed = m_failed || isComposed(record);
            return {};
        }
        return budgeted(*record.rootSequence);
    }

    // The record's 字根序 expanded again.
    QString expandedRoots(const RootCatalog::Record &record)
    {
        if (!record.rootSequence) {
            m_failed = true;
            return {};
        }
        return expand(*record.rootSequence);
    }

    // `m_path` holds the glyphs being expanded, so a glyph that reaches itself contributes
    // its stored roots instead of expanding again.
    QString expand(const QString &components)
    {
        QString roots;
        for (QChar c : components) {
            const QList<RootCatalog::Record> records = recordsOf(c);
            if (records.isEmpty())
                continue;
            const RootCatalog::Record &first = records.first();
            if (isComposed(first) && !m_path.contains(c) && m_path.size() < MaxRootExpansionDepth) {
                m_path.append(c);
                roots += expandedRoots(first);
                m_path.removeLast();
            } else {
                roots += storedRoots(first);
            }
        }
        return roots;
    }

private:
    const RootCatalog &m_catalog;
    QList<QChar> m_path;
    qsizetype m_rootsLeft = MaxRootSequenceLength;
    qsizetype m_lookupsLeft = MaxRootLookups;
    bool m_failed = false;
};

} // namespace

std::optional<QString> ExpandRootSequence(const RootCatalog &catalog, const QString &components)
{
    Expansion expansion(catalog);
    const QString roots = expansion.expand(components);
    return expansion.result(roots);
}

std::optional<QString> BuildRootSequence(const RootCatalog &catalog, const QString &key)
{
    Expansion expansion(catalog);
    QString roots;
    for (qsizetype p = 0; p < key.size(); ++p) {
        const int prefix = FindOperator(QString(key[p]), OperatorNumbers::PrefixFirst,
                                        OperatorNumbers::PrefixLast);
        if (prefix == 0) {
            for (const RootCatalog::Record &record : expansion.recordsOf(key[p])) {
                if (record.face != 0)
                    continue; // other typefaces, and a Null 字體, add nothing
                roots += record.kind != FormulaKinds::Root ? expansion.expandedRoots(record)
                                                           : expansion.storedRoots(record);
            }
            continue;
        }
        if (++p >= key.size())
            break;
        const QList<RootCatalog::Record> records = expansion.recordsOf(key[p]);
        if (records.isEmpty())
            continue;
        const RootCatalog::Record &first = records.first();
        const QString piece = first.kind != FormulaKinds::Root
                                  ? expansion.expandedRoots(first)
                                  : expansion.budgeted(QString(key[p]));
        roots += piece + expansion.budgeted(piece.repeated(PrefixRepeatCount(prefix) - 1));
    }
    return expansion.result(roots);
}

QString ReplaceVariantRoots(const RootCatalog &catalog, const QString &roots)
{
    QString replaced;
    for (QChar c : roots) {
        replaced += catalog.variantOf(QString(c)).value_or(QString(c));
        if (replaced.size() >= MaxRootSequenceLength)
            return replaced.left(MaxRootSequenceLength);
    }
    return replaced;
}

QString SortComponentsByNumber(const RootCatalog &catalog, const QString &roots)
{
    // Numbers are 32-bit; roots beyond the cap are left out.
    QString sorted = roots.left(MaxRootSequenceLength);
    std::vector<qint32> numbers;
    numbers.reserve(sorted.size());
    for (QChar c : sorted)
        numbers.push_back(catalog.rootNumber(QString(c)).value_or(-1));
    for (size_t i = 0; i < numbers.size(); ++i) {
        for (size_t j = i + 1; j < numbers.size(); ++j) {
            if (numbers[j] < numbers[i]) {
                std::swap(numbers[i], numbers[j]);
                std::swap(sorted[qsizetype(i)], sorted[qsizetype(j)]);
            }
        }
    }
    return sorted;
}

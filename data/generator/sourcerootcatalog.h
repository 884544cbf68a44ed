#pragma once

#include "data/generator/sourcedata.h"
#include "vbprog/murvel/core/rootsequence.h"

#include <QHash>
#include <optional>

// The root rules' view of one database under construction. The 字根序 of a record is worked
// out on demand (a root's is its 部件序, a composed glyph's is the level-2 root sequence of
// its 部件序) and kept. A formula chain that leads back to a record in progress is a cycle:
// it is noted, its records get an empty sequence, and the caller refuses the sources.
class SourceRootCatalog : public RootCatalog
{
public:
    // Reads glyphs, roots (may be nullptr) and variantRoots (may be nullptr); none is owned,
    // all must outlive the catalog. With firstRecordOnly a glyph stands for its first record
    // alone, counted as 字體 0, as the derivation search reads the ancient-script databases
    // (whose script typefaces are their ordinary ones).
    SourceRootCatalog(const TableData &glyphs, const TableData *roots,
                      const TableData *variantRoots, bool firstRecordOnly);

    QList<Record> recordsOf(const QString &glyph) const override;
    std::optional<QString> variantOf(const QString &root) const override;
    std::optional<qint32> rootNumber(const QString &root) const override;

    // The 字根序 of a row of the glyph table.
    QString rootSequenceOf(int row) const;
    // The rows of the first cycle met, in formula order, the first row repeated at the end.
    const std::optional<QList<int>> &cycle() const { return m_cycle; }

private:
    const TableData &m_glyphs;
    bool m_firstRecordOnly;
    QHash<QString, QList<int>> m_rowsByGlyph;
    QHash<QString, QString> m_variants;
    QHash<QString, qint32> m_rootNumbers;
    // Memo of rootSequenceOf and the chain of rows being worked out.
    mutable QList<std::optional<QString>> m_rootSequences;
    mutable QList<int> m_inProgress;
    mutable std::optional<QList<int>> m_cycle;
};

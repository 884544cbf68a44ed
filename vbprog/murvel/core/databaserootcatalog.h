#pragma once

#include "platform/jet/table.h"
#include "vbprog/murvel/core/rootsequence.h"

// The lookups of the root rules over the open regular-script database: 檢字表 through the
// working handle gRs檢字表, 異寫字根 through gRs異寫字根, and 字根 through gRs字根楷書, whose
// index becomes 字形. One catalog serves one search.
//
// A lookup that cannot be made (a missing table or index) finds nothing and marks the
// catalog failed; the search then ends with the result it holds.
class DatabaseRootCatalog : public RootCatalog
{
public:
    // Seeks 字形 = glyph on gRs檢字表 (whose index becomes 字形) and reads the records while
    // their 字形 is the glyph. gRs檢字表's current record is restored afterwards, so a
    // caller walking the records of one 字形 goes on from where it was. A Null 連接符號
    // counts as 0 (not composed).
    QList<Record> recordsOf(const QString &glyph) const override;
    // A Null 異寫 counts as no variant writing.
    std::optional<QString> variantOf(const QString &root) const override;
    // A Null 編號 counts as a root missing from 字根.
    std::optional<qint32> rootNumber(const QString &root) const override;

    bool failed() const { return m_failed; }

private:
    mutable bool m_variantIndexSet = false; // on gRs異寫字根, once per catalog
    mutable bool m_rootIndexSet = false;    // on gRs字根楷書, once per catalog
    mutable bool m_failed = false;
};

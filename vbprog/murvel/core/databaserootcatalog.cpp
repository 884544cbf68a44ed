#include "vbprog/murvel/core/databaserootcatalog.h"

#include "vbprog/murvel/core/recordfields.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/schema/schemanames.h"

QList<RootCatalog::Record> DatabaseRootCatalog::recordsOf(const QString &glyph) const
{
    jet::Table &table = gRs檢字表;
    if (table.index() != Indexes::字形 && !table.setIndex(Indexes::字形)) {
        m_failed = true;
        return {};
    }
    const std::optional<jet::Bookmark> current = table.bookmark();
    QList<Record> records;
    if (table.seek(glyph)) {
        for (; !table.eof() && table.value(Fields::字形).toString() == glyph; table.moveNext()) {
            const QVariant roots = table.value(Fields::字根序);
            records.append({Int32Field(table.value(Fields::字體)),
                            Int32Field(table.value(Fields::連接符號)).value_or(0),
                            roots.isNull() ? std::nullopt : std::optional(roots.toString())});
        }
    }
    if (current)
        table.setBookmark(*current);
    return records;
}

namespace
{

// Sets the index of the table once per catalog; false when the table lacks it.
bool setIndexOnce(jet::Table &table, const QString &index, bool &set)
{
    set = set || table.setIndex(index);
    return set;
}

} // namespace

std::optional<QString> DatabaseRootCatalog::variantOf(const QString &root) const
{
    if (!setIndexOnce(gRs異寫字根, Indexes::字根, m_variantIndexSet)) {
        m_failed = true;
        return std::nullopt;
    }
    if (!gRs異寫字根.seek(root))
        return std::nullopt;
    const QVariant variant = gRs異寫字根.value(Fields::異寫);
    return variant.isNull() ? std::nullopt : std::optional<QString>(variant.toString());
}

std::optional<qint32> DatabaseRootCatalog::rootNumber(const QString &root) const
{
    if (!setIndexOnce(gRs字根楷書, Indexes::字形, m_rootIndexSet)) {
        m_failed = true;
        return std::nullopt;
    }
    if (!gRs字根楷書.seek(root))
        return std::nullopt;
    return Int32Field(gRs字根楷書.value(Fields::編號));
}

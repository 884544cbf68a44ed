#include "vbprog/murvel/views/derivationtables.h"

#include "vbprog/murvel/core/recordfields.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/schema/schemanames.h"

namespace
{

const QString GlyphIndex = Indexes::字形;

} // namespace

// Seeks the table on `index` for the key; false when the table cannot or finds nothing.
bool JetDerivationTables::seek(jet::Table &table, const QString &index, const QString &key) const
{
    if (table.setIndex(index) && table.seek(key))
        return true;
    if (table.failed() && m_failure.isEmpty())
        m_failure = table.errorString();
    return false;
}

DerivationScript DerivationScriptOf(const QString &script)
{
    const Script &handles = ScriptOfCode(script);
    if (handles.isAncient())
        return {handles.database, handles.glyphs, handles.roots, handles.variantRoots,
                handles.face()};
    // The regular script's variant roots are read through the first-set handle.
    return {handles.database, handles.glyphs, handles.roots, &gRs異寫字根, QString()};
}

std::optional<QString> JetDerivationTables::sequenceOf(const QString &glyph,
                                                       const QString &column) const
{
    if (!seek(*m_script.glyphs, GlyphIndex, glyph))
        return std::nullopt;
    return m_script.glyphs->value(column).toString();
}

std::optional<qint32> JetDerivationTables::rootNumber(const QString &root) const
{
    if (!seek(*m_script.roots, GlyphIndex, root))
        return std::nullopt;
    return Int32Field(m_script.roots->value(Fields::編號));
}

std::optional<QString> JetDerivationTables::variantOf(const QString &root) const
{
    if (!seek(*m_script.variants, Indexes::字根, root))
        return std::nullopt;
    const QVariant variant = m_script.variants->value(Fields::異寫);
    return variant.isNull() ? std::nullopt : std::optional<QString>(variant.toString());
}

#include "vbprog/murvel/views/structurerecords.h"

#include "vbprog/murvel/core/recordfields.h"
#include "vbprog/murvel/core/scripttables.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/schema/schemanames.h"

namespace
{

std::optional<QString> textField(const QVariant &value)
{
    return value.isNull() ? std::nullopt : std::optional(value.toString());
}

} // namespace

TableStructureRecords::TableStructureRecords(jet::Table table, StructureScript script)
    : m_table(std::move(table)), m_script(script)
{
}

std::optional<GlyphRecord> TableStructureRecords::withNumber(qint32 number)
{
    if (!m_table.setIndex(Indexes::編號) || !m_table.seek(number))
        return std::nullopt;
    return current();
}

QList<GlyphRecord> TableStructureRecords::withGlyph(const QString &glyph)
{
    QList<GlyphRecord> found;
    if (!m_table.setIndex(Indexes::字形) || !m_table.seek(glyph))
        return found;
    // Only the records of this 字形: the walk stops at the next one.
    while (!m_table.eof() && m_table.value(Fields::字形).toString() == glyph) {
        found << current();
        m_table.moveNext();
    }
    return found;
}

GlyphRecord TableStructureRecords::current() const
{
    GlyphRecord record;
    record.number = Int32Field(m_table.value(Fields::編號));
    record.glyph = textField(m_table.value(Fields::字形));
    record.code = textField(m_table.value(Fields::字碼));
    record.face = Int32Field(m_table.value(Fields::字體));
    record.kind = Int32Field(m_table.value(Fields::連接符號)).value_or(0);
    record.components = m_table.value(Fields::部件序).toString();
    record.repeated = Int32Field(m_table.value(Fields::重複)).value_or(0);
    if (m_script == StructureScript::Regular)
        return record; // the ancient fields are not in murvel.mdb
    record.regularNumber = Int32Field(m_table.value(Fields::楷書編號));
    record.analysis = textField(m_table.value(Fields::解形));
    if (m_script == StructureScript::SmallSeal)
        record.analysis2 = textField(m_table.value(Fields::解形二));
    return record;
}

std::unique_ptr<StructureRecords> StructureRecordsOfFace(const QString &face)
{
    jet::Table *table = AncientScriptTable(face);
    if (table == nullptr)
        return std::make_unique<TableStructureRecords>(gRs檢字表楷書, StructureScript::Regular);
    const StructureScript script =
        table == &gRs檢字表小篆 ? StructureScript::SmallSeal : StructureScript::OtherAncient;
    return std::make_unique<TableStructureRecords>(*table, script);
}

#include "vbprog/murvel/views/variantrecords.h"

#include "vbprog/murvel/core/recordfields.h"
#include "vbprog/murvel/schema/schemanames.h"
#include "vbprog/murvel/views/variantsql.h"

namespace
{

const QString NumberIndex = Indexes::編號;

int SmallField(const QVariant &value, int null)
{
    return Int32Field(value).value_or(null);
}

} // namespace

std::optional<VariantGlyph> ReadVariantGlyph(jet::Table &table, GlyphTableKind kind, qint32 number)
{
    if (table.index() != NumberIndex && !table.setIndex(NumberIndex))
        return std::nullopt;
    if (!table.seek(number))
        return std::nullopt;
    VariantGlyph glyph;
    glyph.number = Int32Field(table.value(Fields::編號)).value_or(number);
    const QVariant shape = table.value(Fields::字形);
    glyph.shapeIsNull = shape.isNull();
    glyph.shape = shape.toString();
    glyph.code = table.value(Fields::字碼).toString();
    glyph.faceCode = SmallField(table.value(Fields::字體), -1);
    glyph.formulaKind = SmallField(table.value(Fields::連接符號), 0);
    if (kind == GlyphTableKind::Regular) {
        glyph.sealNumber = Int32Field(table.value(Fields::小篆編號));
        glyph.sealText = table.value(Fields::小篆).toString();
    } else {
        glyph.regularNumber = Int32Field(table.value(Fields::楷書編號));
    }
    return glyph;
}

jet::Result<QList<VariantGroup>> ReadVariantGroups(const jet::Database &database,
                                                   const QString &table, qint32 number)
{
    jet::Result<jet::Snapshot> rows = database.openSnapshot(VariantGroupsSql(table, number));
    if (!rows)
        return jet::Result<QList<VariantGroup>>::failure(rows.errorString());
    QList<VariantGroup> groups;
    for (rows->moveFirst(); !rows->eof(); rows->moveNext()) {
        if (const std::optional<qint32> group = Int32Field(rows->value(0)))
            groups.append({*group, SmallField(rows->value(1), -1)});
    }
    return groups;
}

jet::Result<QList<VariantMember>> ReadVariantMembers(const jet::Database &database,
                                                     const QString &table, qint32 group)
{
    jet::Result<jet::Snapshot> rows = database.openSnapshot(VariantMembersSql(table, group));
    if (!rows)
        return jet::Result<QList<VariantMember>>::failure(rows.errorString());
    const bool hasCategories = rows->fieldNames().contains(Fields::類別);
    const bool hasRegularNumbers = rows->fieldNames().contains(Fields::楷書編號);
    QList<VariantMember> members;
    for (rows->moveFirst(); !rows->eof(); rows->moveNext()) {
        const std::optional<qint32> number = Int32Field(rows->value(Fields::編號));
        if (!number)
            continue;
        VariantMember member;
        member.place = SmallField(rows->value(Fields::形碼), -1);
        member.number = *number;
        if (hasCategories)
            member.category = Int32Field(rows->value(Fields::類別));
        if (hasRegularNumbers)
            member.regularNumber = Int32Field(rows->value(Fields::楷書編號));
        members.append(member);
    }
    return members;
}

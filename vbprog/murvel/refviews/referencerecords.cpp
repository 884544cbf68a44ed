#include "vbprog/murvel/refviews/referencerecords.h"

#include "platform/jet/table.h"
#include "vbprog/murvel/core/recordfields.h"
#include "vbprog/murvel/core/scripttables.h"
#include "vbprog/murvel/schema/schemanames.h"

std::optional<RecordFields> SeekByNumber(jet::Table &table, qint32 number,
                                         const QStringList &fields)
{
    if (!table.setIndex(Indexes::編號) || !table.seek(QVariant(number)))
        return std::nullopt;
    RecordFields record;
    for (const QString &field : fields)
        record.insert(field, table.value(field));
    return record;
}

std::optional<RegularRecord> ReadRegularRecord(const QString &face, qint32 number,
                                               const QStringList &fields)
{
    const std::optional<qint32> regularNumber = RegularNumberOfFace(face, number);
    if (!regularNumber)
        return std::nullopt;
    gRs檢字表 = gRs檢字表楷書;
    std::optional<RecordFields> record = SeekByNumber(gRs檢字表楷書, *regularNumber, fields);
    if (!record)
        return std::nullopt;
    return RegularRecord{*regularNumber, std::move(*record)};
}

QString FaceNameOfCode(const std::array<QString, FaceCodeCount> &faces, const QVariant &code,
                       const QString &fallback)
{
    const std::optional<qint32> face = Int32Field(code);
    if (!face || *face < 0 || *face >= FaceCodeCount || faces[*face].isEmpty())
        return fallback;
    return faces[*face];
}

#include "scripttables.h"

#include "recordfields.h"
#include "vbprog/murvel/core/scriptfaces.h"
#include "vbprog/murvel/schema/schemanames.h"
#include "公用變數.h"

jet::Table *AncientScriptTable(const QString &face)
{
    if (face == Faces::Seal || face == Faces::SealVariant)
        return &gRs檢字表小篆;
    if (face == Faces::Bronze)
        return &gRs檢字表金文;
    if (face == Faces::OracleBone)
        return &gRs檢字表甲骨文;
    if (face == Faces::Chu)
        return &gRs檢字表楚系文字;
    return nullptr;
}

std::optional<qint32> RegularNumberOfFace(const QString &face, qint32 number)
{
    jet::Table *ancient = AncientScriptTable(face);
    if (ancient == nullptr)
        return number;
    if (!ancient->setIndex(Indexes::編號) || !ancient->seek(number))
        return std::nullopt;
    return Int32Field(ancient->value(Fields::楷書編號));
}

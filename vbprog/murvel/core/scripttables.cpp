#include "scripttables.h"

#include "公用變數.h"

jet::Table *AncientScriptTable(const QString &face)
{
    if (face == u"北師大說文小篆" || face == u"北師大說文重文")
        return &gRs檢字表小篆;
    if (face == u"Ombrel金文")
        return &gRs檢字表金文;
    if (face == u"Ombrel甲骨文")
        return &gRs檢字表甲骨文;
    if (face == u"Ombrel楚系文字")
        return &gRs檢字表楚系文字;
    return nullptr;
}

#include "windowkinds.h"

#include "vbprog/murvel/core/公用變數.h"

bool IsComponentListKind(int kind)
{
    return kind >= WindowKinds::FirstComponentList && kind <= WindowKinds::LastComponentList;
}

bool IsStrokeFilterableKind(int kind)
{
    return kind >= WindowKinds::FirstComponentList && kind <= WindowKinds::LastStrokeFilterable;
}

QString WindowSectionOfKind(int kind)
{
    if (IsComponentListKind(kind))
        return QStringLiteral("構形部件");
    switch (kind) {
    case WindowKinds::Derivation:
        return QStringLiteral("字形孳乳");
    case WindowKinds::Structure:
        return QStringLiteral("字形結構");
    case WindowKinds::VariantCharacters:
        return QStringLiteral("異體字表");
    case WindowKinds::VariantComponents:
        return QStringLiteral("異體字根");
    case WindowKinds::Evolution:
        return QStringLiteral("字形演變");
    case WindowKinds::Index:
        return QStringLiteral("字形索引");
    default:
        return {};
    }
}

void FillWindowNames()
{
    gWindowNames = {"mdi漢字字形", "Big5字根", "Big5及簡化字字根", "字根",         "小篆獨體字",
                    "金文字根",    "部件外字", "康熙字典部首",     "說文解字部首", "八卦",
                    "符號",        "字形孳乳", "字形結構",         "異體字表",     "異體字根",
                    QString(),     "字形索引"};
}

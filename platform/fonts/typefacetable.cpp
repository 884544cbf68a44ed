#include "platform/fonts/typefacetable.h"

#include "platform/fonts/eudcfacenames.h"
#include "platform/fonts/facefiles.h"
#include "platform/fonts/operatorfont.h"

#include <QList>
#include <algorithm>

namespace fonts
{

namespace
{

struct FaceEntry {
    QString name;
    QString baseFamily;  // the installed family that draws the face, or stands in for it
    bool suppliedByFile; // a face file in the program folder may draw it instead
    bool endUserDefined = false;
};

QString kaiFamily()
{
    return QStringLiteral("AR PL UKai TW");
}

QString mingFamily()
{
    return QStringLiteral("AR PL UMing TW");
}

// The families that draw what the faces above lack: the CJK extensions (㫃, 𠀋, ...).
QStringList fallbackFamilies()
{
    return {QStringLiteral("HanaMinA"), QStringLiteral("HanaMinB")};
}

QList<FaceEntry> buildFaceTable()
{
    QList<FaceEntry> table = {
        {QStringLiteral("標楷體"), kaiFamily(), false},
        {QStringLiteral("細明體"), mingFamily(), false},
        {QStringLiteral("新細明體"), mingFamily(), false},
    };
    for (int set = 1; set <= EudcSetCount; ++set)
        table.append({eudcFaceName(QStringLiteral("標楷體"), set), kaiFamily(), true, true});
    for (int set = 1; set <= EudcSetCount; ++set)
        table.append({eudcFaceName(QStringLiteral("細明體"), set), mingFamily(), true, true});
    const QStringList ancientScriptFaces = {
        QStringLiteral("北師大說文小篆"), QStringLiteral("北師大說文重文"),
        QStringLiteral("Ombrel金文"),     QStringLiteral("Ombrel甲骨文"),
        QStringLiteral("Ombrel楚系文字"), QStringLiteral("hzkf"),
        QStringLiteral("qel98m"),
    };
    for (const QString &face : ancientScriptFaces)
        table.append({face, kaiFamily(), true});
    return table;
}

const QList<FaceEntry> &faceTable()
{
    static const QList<FaceEntry> table = buildFaceTable();
    return table;
}

const FaceEntry *findFace(const QString &faceName)
{
    const QList<FaceEntry> &table = faceTable();
    const auto found = std::find_if(table.begin(), table.end(),
                                    [&](const FaceEntry &entry) { return entry.name == faceName; });
    return found != table.end() ? &*found : nullptr;
}

// The names of the table's faces that have the flag, in the table's order.
QStringList faceNamesWhere(bool FaceEntry::*flag)
{
    QStringList names;
    for (const FaceEntry &entry : faceTable()) {
        if (entry.*flag)
            names << entry.name;
    }
    return names;
}

} // namespace

QStringList privateUseFamilies(const QString &faceName)
{
    QStringList families;
    if (mayComeFromFaceFile(faceName))
        families << faceFileFamilies(faceName);
    families << componentFamily(styleOf(faceName)) << operatorFamily() << privateUseBoxFamily();
    return families;
}

TypefaceStyle styleOf(const QString &faceName)
{
    const FaceEntry *entry = findFace(faceName);
    return entry != nullptr && entry->baseFamily == mingFamily() ? TypefaceStyle::Ming
                                                                 : TypefaceStyle::Kai;
}

QStringList familiesFor(const QString &faceName)
{
    QStringList families = privateUseFamilies(faceName);
    families << installedFamiliesFor(faceName) << fallbackFamilies();
    families.removeDuplicates();
    return families;
}

QStringList installedFamiliesFor(const QString &faceName)
{
    if (const FaceEntry *entry = findFace(faceName))
        return {entry->baseFamily};
    if (faceName.isEmpty())
        return {kaiFamily()};
    return {faceName, kaiFamily()};
}

bool mayComeFromFaceFile(const QString &faceName)
{
    const FaceEntry *entry = findFace(faceName);
    return entry != nullptr && entry->suppliedByFile;
}

QFont fontFor(const QString &faceName, qreal pointSize)
{
    QFont font;
    font.setFamilies(familiesFor(faceName));
    font.setPointSizeF(pointSize);
    return font;
}

QStringList fileFaceNames()
{
    return faceNamesWhere(&FaceEntry::suppliedByFile);
}

QStringList endUserDefinedFaceNames()
{
    return faceNamesWhere(&FaceEntry::endUserDefined);
}

} // namespace fonts

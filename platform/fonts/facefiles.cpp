#include "platform/fonts/facefiles.h"

#include <QHash>

namespace fonts
{

namespace
{

QHash<QString, QStringList> &registeredFaceFamilies()
{
    static QHash<QString, QStringList> families;
    return families;
}

} // namespace

QString faceFileName(const QString &faceName)
{
    return faceName + QStringLiteral(".ttf");
}

QStringList faceFileFamilies(const QString &faceName)
{
    return registeredFaceFamilies().value(faceName);
}

void recordFaceFileFamilies(const QString &faceName, const QStringList &families)
{
    QHash<QString, QStringList> &registered = registeredFaceFamilies();
    if (!registered.contains(faceName))
        registered.insert(faceName, families);
}

} // namespace fonts

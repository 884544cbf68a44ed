#include "comAddIn/porvex/previewcopy.h"

#include <QDir>

namespace porvex
{

QString PreviewBaseName(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot > 0 ? name.left(dot) : name;
}

QString PreviewCopyPath(const QString &folder, const QString &name, const QString &markAndExtension)
{
    return QDir(folder).filePath(PreviewBaseName(name) + markAndExtension);
}

} // namespace porvex

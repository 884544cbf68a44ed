#include "comAddIn/porvex/frontpage/picturenames.h"

#include <QDir>
#include <QFileInfo>

namespace porvex
{

QString PictureNames::next(const QString &folder)
{
    QString path;
    do {
        ++m_counter;
        path = QDir(folder).filePath(u"~cp%1.bmp"_qs.arg(m_counter));
    } while (QFileInfo::exists(path));
    return path;
}

} // namespace porvex

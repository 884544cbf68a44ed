#include "comAddIn/porvex/frontpage/picturenames.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace porvex
{

namespace
{

using Folder = platform::Result<QString>;

bool nameInUse(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString encodedSegment(const QString &segment)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(segment));
}

} // namespace

QString PictureFolderOf(const QString &pagePath)
{
    const QFileInfo page(pagePath);
    return page.absoluteDir().filePath(page.completeBaseName() + u"_files"_qs);
}

Folder MakePictureFolder(const QString &pagePath)
{
    const QString folder = PictureFolderOf(pagePath);
    const QFileInfo info(folder);
    if (info.isSymLink())
        return Folder::failure(u"無法建立圖片資料夾 %1：同名的是連結，不是資料夾"_qs.arg(folder));
    if (info.exists() && !info.isDir())
        return Folder::failure(u"無法建立圖片資料夾 %1：已有同名的檔案"_qs.arg(folder));
    if (!info.exists() && !QDir().mkdir(folder))
        return Folder::failure(u"無法建立圖片資料夾 %1"_qs.arg(folder));
    return folder;
}

QString PictureLink(const QString &picturePath)
{
    const QFileInfo picture(picturePath);
    return encodedSegment(picture.dir().dirName()) + u'/' + encodedSegment(picture.fileName());
}

QString PictureNames::next(const QString &folder)
{
    QString path;
    do {
        ++m_counter;
        path = QDir(folder).filePath(u"~cp%1.bmp"_qs.arg(m_counter));
    } while (nameInUse(path));
    return path;
}

} // namespace porvex

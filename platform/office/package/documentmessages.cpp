#include "platform/office/package/documentmessages.h"

namespace office
{

QString cannotOpen(const QString &path, const QString &reason)
{
    return QStringLiteral("無法開啟 %1：%2").arg(path, reason);
}

QString cannotSave(const QString &path, const QString &reason)
{
    return QStringLiteral("無法儲存 %1：%2").arg(path, reason);
}

} // namespace office

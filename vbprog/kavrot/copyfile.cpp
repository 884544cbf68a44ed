#include "vbprog/kavrot/copyfile.h"

#include <QFile>

namespace kavrot
{

platform::Result<bool> copyFile(const QString &source, const QString &destination)
{
    if (QFile::exists(destination) && !QFile::remove(destination))
        return platform::Result<bool>::failure(QStringLiteral("無法取代 %1").arg(destination));
    QFile input(source);
    if (!input.copy(destination)) {
        QFile::remove(destination);
        return platform::Result<bool>::failure(
            QStringLiteral("無法複製 %1：%2").arg(source, input.errorString()));
    }
    return true;
}

} // namespace kavrot

#include "platform/office/package/filewrite.h"

namespace office
{

platform::Result<bool> writeAll(QFileDevice &file, const QByteArray &data)
{
    const auto failed = [&file] {
        return platform::Result<bool>::failure(file.error() == QFileDevice::ResourceError
                                                   ? QStringLiteral("磁碟已滿")
                                                   : QStringLiteral("寫入檔案失敗"));
    };
    for (qsizetype written = 0; written < data.size();) {
        const qint64 step = file.write(data.constData() + written, data.size() - written);
        if (step <= 0)
            return failed();
        written += qsizetype(step);
    }
    if (!file.flush())
        return failed();
    return true;
}

} // namespace office

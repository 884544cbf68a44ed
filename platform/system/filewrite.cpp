#include "platform/system/filewrite.h"

#include <QDir>
#include <QSaveFile>

namespace sys
{

bool replaceFile(const QString &path, QByteArrayView data, QString *error)
{
    // Unbuffered, so that a failing write shows in write()'s result: a buffered write
    // fails only in commit()'s flush, which QSaveFile does not check.
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    if (written) {
        written = file.write(data.constData(), data.size()) == data.size();
        if (written)
            written = file.commit();
        else
            file.cancelWriting();
    }
    if (!written && error != nullptr) {
        *error = QStringLiteral("無法寫入 %1（%2）")
                     .arg(QDir::toNativeSeparators(path), file.errorString());
    }
    return written;
}

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

} // namespace sys

#include "platform/system/filewrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sys
{

namespace
{

using Step = ReplaceFailure::Step;

ReplaceFailure failureOf(Step step, int error)
{
    return {step, error == ENOSPC || error == EDQUOT, QString::fromLocal8Bit(std::strerror(error))};
}

// The file a save at the path writes: a link's target, else the path itself.
QString savedFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return info.absoluteFilePath();
    const QString target = info.canonicalFilePath();
    return target.isEmpty() ? info.symLinkTarget() : target;
}

// A new file of a short name no other file has, in the folder, opened for writing.
struct TemporaryFile {
    QByteArray path;
    int handle = -1;
};

TemporaryFile createTemporary(const QByteArray &folder, int *error)
{
    TemporaryFile temporary;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary.path = folder + "/.~" +
                         QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".tmp";
        // Mode 0666 as the umask allows, as any new file.
        temporary.handle =
            ::open(temporary.path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (temporary.handle >= 0 || errno != EEXIST)
            break;
    }
    *error = errno;
    return temporary;
}

} // namespace

QString writeFailureText(bool diskFull)
{
    return diskFull ? QStringLiteral("磁碟已滿") : QStringLiteral("寫入檔案失敗");
}

QString ReplaceFailure::text() const
{
    switch (step) {
    case Step::Create:
        return QStringLiteral("無法在這個位置建立檔案");
    case Step::Write:
        return writeFailureText(diskFull);
    case Step::Rename:
        break;
    }
    return QStringLiteral("無法取代原有的檔案");
}

std::optional<ReplaceFailure> writeReplacing(const QString &path, QByteArrayView data)
{
    const QString saved = savedFile(path);
    const QByteArray target = QFile::encodeName(saved);
    int error = 0;
    TemporaryFile temporary =
        createTemporary(QFile::encodeName(QFileInfo(saved).absolutePath()), &error);
    if (temporary.handle < 0)
        return failureOf(Step::Create, error);
    const auto failed = [&temporary](ReplaceFailure failure) {
        ::unlink(temporary.path.constData());
        return failure;
    };
    struct stat old {
    };
    if (::stat(target.constData(), &old) == 0)
        ::fchmod(temporary.handle, old.st_mode & 07777);

    // Unbuffered, so that a failing write shows in write()'s result.
    QFile file;
    if (!file.open(temporary.handle, QIODevice::WriteOnly | QIODevice::Unbuffered,
                   QFileDevice::AutoCloseHandle)) {
        ::close(temporary.handle);
        return failed({Step::Create, false, file.errorString()});
    }
    if (!writeAll(file, data))
        return failed(
            {Step::Write, file.error() == QFileDevice::ResourceError, file.errorString()});
    if (::fsync(temporary.handle) != 0)
        return failed(failureOf(Step::Write, errno));
    file.close();
    if (::rename(temporary.path.constData(), target.constData()) != 0)
        return failed(failureOf(Step::Rename, errno));
    return std::nullopt;
}

bool replaceFile(const QString &path, QByteArrayView data, QString *error)
{
    const std::optional<ReplaceFailure> failure = writeReplacing(path, data);
    if (failure && error != nullptr)
        *error = QStringLiteral("無法寫入 %1（%2）")
                     .arg(QDir::toNativeSeparators(path), failure->reason);
    return !failure;
}

platform::Result<bool> writeAll(QFileDevice &file, QByteArrayView data)
{
    const auto failed = [&file] {
        return platform::Result<bool>::failure(
            writeFailureText(file.error() == QFileDevice::ResourceError));
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

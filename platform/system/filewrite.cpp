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

std::optional<ReplaceFailure> writeReplacing(const QString &path, QByteArrayView data)
{
    const QByteArray target = QFile::encodeName(savedFile(path));
    int error = 0;
    TemporaryFile temporary = createTemporary(
        QFile::encodeName(QFileInfo(QFile::decodeName(target)).absolutePath()), &error);
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
    for (qsizetype written = 0; written < data.size();) {
        const qint64 step = file.write(data.constData() + written, data.size() - written);
        if (step <= 0)
            return failed(
                {Step::Write, file.error() == QFileDevice::ResourceError, file.errorString()});
        written += qsizetype(step);
    }
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

} // namespace sys

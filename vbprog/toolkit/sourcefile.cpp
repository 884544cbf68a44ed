#include "vbprog/toolkit/sourcefile.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace toolkit
{

namespace
{

QString cannotRead(const QString &path, const QString &reason)
{
    return QStringLiteral("無法讀取 %1：%2").arg(path, reason);
}

QString tooLarge(const QString &path, qint64 limit)
{
    const QString bound = limit >= (1 << 20) ? QStringLiteral("%1 MB").arg(limit >> 20)
                                             : QStringLiteral("%1 位元組").arg(limit);
    return cannotRead(path, QStringLiteral("檔案太大（超過 %1）").arg(bound));
}

// The refusal for a file of this status, or nothing.
QString refusal(const QString &path, const struct stat &status, qint64 limit)
{
    if (!S_ISREG(status.st_mode))
        return cannotRead(path, QStringLiteral("這不是一般的檔案"));
    if (status.st_size > limit)
        return tooLarge(path, limit);
    return QString();
}

} // namespace

QString refusedSource(const QString &path, qint64 limit)
{
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return QString();
    return refusal(path, status, limit);
}

platform::Result<QByteArray> readSourceFile(const QString &path, qint64 limit)
{
    using Read = platform::Result<QByteArray>;
    // A device is not even opened: opening one may do something (a socket cannot be).
    if (const QString refused = refusedSource(path, limit); !refused.isEmpty())
        return Read::failure(refused);
    // O_NONBLOCK: a FIFO put in the file's place since its test must not hold the open; the
    // test is made again of what was opened.
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return Read::failure(cannotRead(path, qt_error_string(errno)));
    const auto closing = [descriptor](Read read) {
        ::close(descriptor);
        return read;
    };
    struct stat status;
    if (::fstat(descriptor, &status) != 0)
        return closing(Read::failure(cannotRead(path, qt_error_string(errno))));
    if (const QString refused = refusal(path, status, limit); !refused.isEmpty())
        return closing(Read::failure(refused));

    // The size a file claims is no bound (a file of the kernel's claims none): read at most
    // one byte past the limit.
    QByteArray data;
    data.reserve(qsizetype(status.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
        if (got == 0)
            return closing(Read(std::move(data)));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return closing(Read::failure(cannotRead(path, qt_error_string(errno))));
        }
        data.append(buffer, qsizetype(got));
        if (data.size() > limit)
            return closing(Read::failure(tooLarge(path, limit)));
    }
}

} // namespace toolkit

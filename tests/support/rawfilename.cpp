#include "tests/support/rawfilename.h"

#include <QFile>
#include <fcntl.h>
#include <unistd.h>

namespace testsupport
{

namespace
{

QByteArray rawPath(const QString &folder, const QByteArray &name)
{
    return QFile::encodeName(folder) + '/' + name;
}

} // namespace

bool writeFileNamedInBytes(const QString &folder, const QByteArray &name, const QByteArray &bytes)
{
    const int descriptor =
        ::open(rawPath(folder, name).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (descriptor < 0)
        return false;
    const bool written =
        ::write(descriptor, bytes.constData(), size_t(bytes.size())) == bytes.size();
    return ::close(descriptor) == 0 && written;
}

QByteArray readFileNamedInBytes(const QString &folder, const QByteArray &name)
{
    QFile file;
    const int descriptor = ::open(rawPath(folder, name).constData(), O_RDONLY);
    if (descriptor < 0 || !file.open(descriptor, QIODevice::ReadOnly, QFile::AutoCloseHandle))
        return QByteArray();
    return file.readAll();
}

} // namespace testsupport

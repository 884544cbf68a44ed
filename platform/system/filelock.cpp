#include "platform/system/filelock.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace sys
{

FileLock::FileLock(const QString &path)
{
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    int status = descriptor < 0 ? -1 : 0;
    if (descriptor >= 0) {
        // flock, not fcntl: two descriptors of one process exclude each other too.
        do
            status = ::flock(descriptor, LOCK_EX);
        while (status != 0 && errno == EINTR);
    }
    if (status == 0) {
        m_descriptor = descriptor;
        return;
    }
    m_error = QStringLiteral("無法鎖定 %1（%2）")
                  .arg(QDir::toNativeSeparators(path), qt_error_string(errno));
    if (descriptor >= 0)
        ::close(descriptor);
}

FileLock::~FileLock()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

} // namespace sys

#include "tests/support/smalldisk.h"

#include "tests/support/childprocess.h"

#include <QDir>
#include <QFile>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace testsupport
{

namespace
{

bool writeProcFile(const char *path, const QByteArray &text)
{
    QFile file(QString::fromLatin1(path));
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// A root process may make a mount namespace of its own; another makes a user namespace
// first, in which it is root.
bool enterPrivateMounts()
{
    if (unshare(CLONE_NEWNS) == 0)
        return true;
    const QByteArray uid = QByteArray::number(getuid());
    const QByteArray gid = QByteArray::number(getgid());
    return unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0 &&
           writeProcFile("/proc/self/setgroups", "deny") &&
           writeProcFile("/proc/self/uid_map", "0 " + uid + " 1") &&
           writeProcFile("/proc/self/gid_map", "0 " + gid + " 1");
}

// Mounts made from here on are the process's own, seen by no other process.
bool enterPrivateMountNamespace()
{
    return enterPrivateMounts() && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

bool mountSmallDisk(const QString &folder, int kilobytes)
{
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + 'k';
    return enterPrivateMountNamespace() && mount("tmpfs", QFile::encodeName(folder).constData(),
                                                 "tmpfs", 0, options.constData()) == 0;
}

bool bindFolder(const QString &folder, const QString &mountPoint)
{
    return enterPrivateMountNamespace() &&
           mount(QFile::encodeName(folder).constData(), QFile::encodeName(mountPoint).constData(),
                 nullptr, MS_BIND, nullptr) == 0;
}

} // namespace

std::optional<QString> runOnSmallDisk(const QString &folder, int kilobytes,
                                      const std::function<QString()> &body)
{
    return runInChild([&] { return mountSmallDisk(folder, kilobytes); }, body);
}

std::optional<QString> runOnBoundFolder(const QString &folder, const QString &mountPoint,
                                        const std::function<QString()> &body)
{
    return runInChild([&] { return bindFolder(folder, mountPoint); }, body);
}

bool fillDisk(const QString &folder)
{
    QFile filler(QDir(folder).filePath(QStringLiteral("filler")));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray block(4096, 'x');
    while (filler.write(block) > 0) {
    }
    return true;
}

} // namespace testsupport

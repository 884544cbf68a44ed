#include "tests/support/smalldisk.h"

#include <QDir>
#include <QFile>
#include <cstdio>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport
{

namespace
{

constexpr int cannotMount = 77;

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

bool mountSmallDisk(const QString &folder, int kilobytes)
{
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + 'k';
    return enterPrivateMounts() &&
           mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, options.constData()) ==
               0;
}

} // namespace

std::optional<QString> runOnSmallDisk(const QString &folder, int kilobytes,
                                      const std::function<QString()> &body)
{
    int channel[2];
    if (pipe(channel) != 0)
        return QStringLiteral("no pipe to a child process");
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0)
        return QStringLiteral("no child process");
    if (child == 0) {
        close(channel[0]);
        if (!mountSmallDisk(folder, kilobytes))
            _exit(cannotMount);
        const QByteArray said = body().toUtf8();
        const bool sent = write(channel[1], said.constData(), size_t(said.size())) == said.size();
        // No exit handlers: they belong to the parent's test run.
        _exit(sent ? 0 : 1);
    }
    close(channel[1]);
    QByteArray said;
    char buffer[4096];
    for (ssize_t got; (got = read(channel[0], buffer, sizeof buffer)) > 0;)
        said.append(buffer, got);
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == cannotMount)
        return std::nullopt;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return QStringLiteral("the child process ended abnormally (status %1)").arg(status);
    return QString::fromUtf8(said);
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

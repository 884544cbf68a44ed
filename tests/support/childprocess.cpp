#include "tests/support/childprocess.h"

#include <QProcess>
#include <csignal>
#include <cstdio>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport
{

namespace
{

constexpr int notPrepared = 77;

} // namespace

std::optional<QString> runInChild(const std::function<bool()> &prepare,
                                  const std::function<QString()> &body, int seconds)
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
        // SIGALRM, not caught, ends the child where it stands.
        signal(SIGALRM, SIG_DFL);
        alarm(unsigned(seconds));
        if (!prepare())
            _exit(notPrepared);
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
    if (WIFEXITED(status) && WEXITSTATUS(status) == notPrepared)
        return std::nullopt;
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM)
        return QStringLiteral("the child process did not end within %1 s").arg(seconds);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return QStringLiteral("the child process ended abnormally (status %1)").arg(status);
    return QString::fromUtf8(said);
}

void endWithTest(QProcess &process)
{
    const pid_t test = getpid();
    process.setChildProcessModifier([test] {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        // The test may have ended between the fork and the line above.
        if (getppid() != test)
            _exit(1);
    });
}

} // namespace testsupport

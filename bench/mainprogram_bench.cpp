// The real main program on the synthetic program folder, whose murvel.ini reopens every view:
// started offscreen, left until it idles in its event loop, then ended; its peak resident
// memory comes from the kernel.

#include "synthetic/syntheticdatabases.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

constexpr int PollMilliseconds = 50;
// A program that has used no processor time for this long waits in its event loop.
constexpr int IdleMilliseconds = 500;
constexpr int StartTimeoutMilliseconds = 60000;

// Processor time of the process so far, in clock ticks; nullopt once it is gone.
std::optional<qint64> processorTicks(pid_t pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The fields after the command's closing parenthesis; utime and stime are the 12th
    // and 13th of them.
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return std::nullopt;
    return fields[11].toLongLong() + fields[12].toLongLong();
}

struct ProgramRun {
    QString problem;
    double startSeconds = 0; // until its processor time last grew
    long peakKilobytes = 0;
};

ProgramRun runUntilIdle(const QString &program, const QString &scratch)
{
    ProgramRun run;
    const QByteArray path = QFile::encodeName(program);
    QElapsedTimer clock;
    clock.start();
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("MURVEL_REGISTRY_DIR", QFile::encodeName(scratch + "/registry").constData(), 1);
        setenv("MURVEL_WINDOWS_DIR", QFile::encodeName(scratch + "/windows").constData(), 1);
        execl(path.constData(), path.constData(), static_cast<char *>(nullptr));
        _exit(127);
    }
    qint64 lastTicks = -1;
    qint64 lastChange = 0;
    while (clock.elapsed() - lastChange < IdleMilliseconds) {
        QThread::msleep(PollMilliseconds);
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            run.problem = QStringLiteral("%1 ended during start-up").arg(program);
            return run;
        }
        const std::optional<qint64> ticks = processorTicks(pid);
        if (ticks && *ticks != lastTicks) {
            lastTicks = *ticks;
            lastChange = clock.elapsed();
        }
        if (clock.elapsed() > StartTimeoutMilliseconds) {
            run.problem = QStringLiteral("%1 did not settle").arg(program);
            break;
        }
    }
    run.startSeconds = double(lastChange) / 1000.0;
    kill(pid, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.peakKilobytes = usage.ru_maxrss;
    return run;
}

void BM_MainProgramPeakMemory(benchmark::State &state)
{
    if (const QString missing = SyntheticDatabasesMissing(); !missing.isEmpty()) {
        state.SkipWithError(missing.toUtf8().constData());
        return;
    }
    const QString program = QDir(SyntheticFolder()).filePath(QStringLiteral("murvel"));
    if (!QFile::exists(program)) {
        state.SkipWithError(
            "the main program is not beside the synthetic databases: make synthetic");
        return;
    }
    QTemporaryDir scratch;
    ProgramRun run;
    for (auto _ : state) {
        run = runUntilIdle(program, scratch.path());
        state.SetIterationTime(run.startSeconds);
    }
    if (!run.problem.isEmpty())
        state.SkipWithError(run.problem.toUtf8().constData());
    state.counters["peak_MiB"] = double(run.peakKilobytes) / 1024.0;
}
BENCHMARK(BM_MainProgramPeakMemory)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

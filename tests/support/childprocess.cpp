#include "tests/support/childprocess.h"

#include <QProcess>
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace testsupport
{

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

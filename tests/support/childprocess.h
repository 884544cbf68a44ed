#pragma once

#include <QString>
#include <functional>
#include <optional>

class QProcess;

// Processes a test starts, ended with the test whatever way it ends.
namespace testsupport
{

// Runs body in a child process and gives back what it returns, as text. The child runs
// prepare first; when that gives false nothing comes back. A child still running after
// seconds is ended, so that a body that hangs or reads without end fails its test instead of
// holding it; such a child, and one that dies, comes back as a text that says so.
std::optional<QString> runInChild(const std::function<bool()> &prepare,
                                  const std::function<QString()> &body, int seconds = 300);

// Makes the process, when it starts, end with the test program: the system kills it when
// the test's thread that started it ends, also when the test is killed at its time limit
// and no destructor runs. Call it before start(), from the thread that outlives the process.
void endWithTest(QProcess &process);

} // namespace testsupport

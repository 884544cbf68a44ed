#pragma once

class QProcess;

namespace testsupport
{

// Makes the process, when it starts, end with the test program: the system kills it when
// the test's thread that started it ends, also when the test is killed at its time limit
// and no destructor runs. Call it before start(), from the thread that outlives the process.
void endWithTest(QProcess &process);

} // namespace testsupport

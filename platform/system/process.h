#pragma once

#include <QString>
#include <QStringList>

namespace sys
{

// Starts the program detached, each argument passed as it is (no shell, no quoting
// rules). False when the program cannot be started.
bool startProcess(const QString &program, const QStringList &arguments);

// Runs the program to its end, arguments passed as they are, and waits at most
// `timeoutMs` (a program still running then is killed). True when it ran and exited with
// code 0; otherwise false, and `error`, when given, says why.
bool runProcess(const QString &program, const QStringList &arguments, int timeoutMs,
                QString *error = nullptr);

// Opens the file with the desktop's viewer for its type (xdg-open), the path passed as one
// argument. Does nothing and returns false when the file is missing or the opener cannot
// be started.
bool openHelpFile(const QString &path);

} // namespace sys

#pragma once

#include <QString>

namespace sys
{

// An exclusive lock on a file, held from construction to destruction: another FileLock on
// the same file, in this process or another, waits until it is released. The lock is the
// kernel's, so a process that dies releases it; the file itself (created when missing) is
// left in place for the next writer.
class FileLock
{
public:
    explicit FileLock(const QString &path);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    // False when the file could not be opened or locked; errorString() then says why.
    bool isLocked() const { return m_descriptor >= 0; }
    QString errorString() const { return m_error; }

private:
    int m_descriptor = -1;
    QString m_error;
};

} // namespace sys

#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace testsupport
{

// Runs body in a child process in which folder is a file system of its own, a tmpfs of the
// given size in a private mount namespace, so that writing more there meets a full disk
// (ENOSPC) as it does on a real one. What body returns comes back as text (a child that
// dies or hangs says so instead); nothing when this system lets no process mount such a file
// system. The folder's contents in the parent are never touched.
std::optional<QString> runOnSmallDisk(const QString &folder, int kilobytes,
                                      const std::function<QString()> &body);

// Runs body as runOnSmallDisk does, in a child in whose private mount namespace the folder
// mountPoint shows folder (a bind mount): the same folder by another path that no link
// reveals. Nothing when this system lets no process mount.
std::optional<QString> runOnBoundFolder(const QString &folder, const QString &mountPoint,
                                        const std::function<QString()> &body);

// Fills the disk that holds folder with a file named "filler"; false when it cannot begin.
bool fillDisk(const QString &folder);

} // namespace testsupport

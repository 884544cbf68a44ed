#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace testsupport
{

// Runs body in a child process and gives back what it returns, as text. The child runs
// prepare first; when that gives false nothing comes back. A child still running after
// seconds is ended, so that a body that hangs or reads without end fails its test instead of
// holding it; such a child, and one that dies, comes back as a text that says so.
std::optional<QString> runInChild(const std::function<bool()> &prepare,
                                  const std::function<QString()> &body, int seconds = 300);

} // namespace testsupport

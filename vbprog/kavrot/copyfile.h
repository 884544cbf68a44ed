#pragma once

#include "platform/common/result.h"

#include <QString>

namespace kavrot
{

// Copies source to destination, replacing a file there; a partial copy is removed.
platform::Result<bool> copyFile(const QString &source, const QString &destination);

} // namespace kavrot

#pragma once

#include "platform/common/result.h"

namespace jet
{
using platform::Result;
} // namespace jet

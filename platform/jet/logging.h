#pragma once

#include <QLoggingCategory>

namespace jet
{

// Programmer errors (an unknown field name, a move past the end) are logged here and
// recovered from, never turned into a crash.
Q_DECLARE_LOGGING_CATEGORY(lcJet)

} // namespace jet

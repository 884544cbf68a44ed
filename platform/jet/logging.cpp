#include "platform/jet/logging.h"

namespace jet
{

Q_LOGGING_CATEGORY(lcJet, "murvel.jet")

} // namespace jet

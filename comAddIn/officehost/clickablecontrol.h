#pragma once

#include "platform/common/result.h"

#include <QString>
#include <memory>

namespace office
{
class CommandBars;
class CommandBarControl;
} // namespace office

namespace officehost
{

// The control a click on the tag reaches: the one the host's FindControl gives, when an
// add-in receives its clicks. A failure says which of the two is missing.
platform::Result<std::shared_ptr<office::CommandBarControl>>
clickableControl(const office::CommandBars *bars, const QString &tag);

} // namespace officehost

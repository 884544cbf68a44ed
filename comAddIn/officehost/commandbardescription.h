#pragma once

#include <QJsonArray>

namespace office
{
class CommandBars;
}

namespace officehost
{

// The command bars as another program shows them: for each bar in collection order its
// name, kind ("menu" for the Tools bar, "toolbar" for every other), visibility and the
// controls the add-ins created on it (tag, caption, visibility, group start). The host's
// built-in controls are left out: only the host itself has their commands.
QJsonArray describeCommandBars(const office::CommandBars &bars);

} // namespace officehost

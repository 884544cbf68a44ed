#pragma once

#include <QJsonArray>

namespace office
{
class CommandBars;
}

namespace officehost
{

class CaptionIcons;

// The command bars as another program shows them: for each bar in collection order its
// name, kind ("menu" for the Tools bar, "toolbar" for every other), visibility and the
// controls the add-ins created on it (tag, caption, visibility, group start). A control
// whose caption needs the operator font also carries the absolute paths of its caption's
// pictures from `icons`: "image" (small buttons) and "largeImage" (large buttons); the
// other program shows them on the button and keeps the caption as its name. The host's
// built-in controls are left out: only the host itself has their commands.
QJsonArray describeCommandBars(const office::CommandBars &bars, CaptionIcons &icons);

} // namespace officehost

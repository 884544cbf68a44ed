#pragma once

#include "platform/common/result.h"
#include "platform/office/host/commandbars.h"

#include <QString>
#include <array>
#include <memory>

namespace office
{
class HostApplication;
}

// What the add-ins share about their hosts: which host they are in, where its command
// bars are, and the OnAction text of the controls they add.
namespace addin
{

// The hosts the add-ins serve, in the order of the host table (office::HostKind). The
// add-ins tell them apart one way: by the Application's Name, compared exactly. Their
// tables for the four hosts (ProgIDs, OnAction texts) are in this order.
enum class Host { Word, Excel, PowerPoint, FrontPage, Other };
Host hostOf(const QString &applicationName);
// The host's short name, "Word", "Excel", "PowerPoint" or "FrontPage": its key in the
// registry's add-in entries, and how messages name it. Empty for any other host.
QString shortNameOf(Host host);

// The host's command bars: for an application named "Outlook" those of its active
// explorer, otherwise the application's own. A failure when the host has none.
platform::Result<std::shared_ptr<office::CommandBars>>
GetCommandBars(office::HostApplication &application);

// The OnAction texts of one add-in for Word, Excel, PowerPoint and FrontPage.
using OnActionTable = std::array<QString, 4>;
// The add-in's OnAction text in the host; empty (none is set) for any other host.
QString onActionFor(Host host, const OnActionTable &table);

} // namespace addin

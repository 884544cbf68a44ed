#pragma once

#include "comAddIn/frame/cmdbarevents.h"
#include "platform/office/host/commandbars.h"

#include <QString>
#include <array>
#include <memory>

namespace office
{
class HostApplication;
}

namespace porvex
{

// The add-in's shared variables, for as long as the library is loaded: the host objects
// of the connection, the control tables and the event object.
struct Global {
    static constexpr int kToolCount = 5;
    static constexpr int kOperatorCount = 9;

    // The host's application object; not owned, set from connection to release.
    office::HostApplication *Application = nullptr;
    std::shared_ptr<office::CommandBars> hostCommandBars;
    std::shared_ptr<office::CommandBar> toolsBar;
    std::shared_ptr<office::CommandBar> operatorBar;

    // Index k - 1 holds item k.
    std::array<QString, kToolCount> toolCaptions;
    std::array<QString, kToolCount> toolTags;
    std::array<bool, kToolCount> toolFound{};
    std::array<QString, kOperatorCount> operatorCaptions;
    std::array<QString, kOperatorCount> operatorTags;
    std::array<bool, kOperatorCount> operatorFound{};

    // Created on first use; stays once created.
    cmdBarEvents &eventObject();

private:
    std::unique_ptr<cmdBarEvents> m_events;
};

Global &global();

} // namespace porvex

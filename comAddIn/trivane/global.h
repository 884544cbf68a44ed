#pragma once

#include "comAddIn/trivane/cmdbarevents.h"
#include "platform/office/host/commandbars.h"

#include <QString>
#include <array>
#include <memory>

namespace office
{
class HostApplication;
}

namespace trivane
{

// The add-in's shared variables, for as long as the library is loaded.
struct Global {
    static constexpr int kTrigramCount = 8;

    // The host's application object; not owned, set from connection to disconnection.
    office::HostApplication *Application = nullptr;
    std::shared_ptr<office::CommandBars> hostCommandBars;
    std::shared_ptr<office::CommandBar> trigramBar;
    // Index k - 1 holds button k: the symbol it shows and types, and the trigram's name.
    std::array<QString, kTrigramCount> trigramCaptions;
    std::array<QString, kTrigramCount> trigramTags;
    // The control found or added last while building.
    std::shared_ptr<office::CommandBarControl> buttonHolder;

    // Created on first use; stays once created.
    cmdBarEvents &eventObject();

private:
    std::unique_ptr<cmdBarEvents> m_events;
};

Global &global();

} // namespace trivane

#pragma once

#include "comAddIn/frame/addinhost.h"
#include "platform/common/result.h"
#include "platform/office/host/commandbars.h"

#include <memory>

namespace office
{
class HostApplication;
}

namespace addin
{

// What an add-in holds of its host while it is connected: the host's Application object
// and its command bars.
class HostConnection
{
public:
    // The host's Application; nullptr when not connected. Not owned: the host keeps it
    // until the add-in's disconnection.
    office::HostApplication *application() const { return m_application; }
    // Which host the Application's Name says it is; Other when not connected.
    Host host() const;
    void connect(office::HostApplication &application) { m_application = &application; }
    // Lets go of the Application, which the host is about to drop; the bars stay.
    void forgetApplication() { m_application = nullptr; }

    // The host's command bars, once taken.
    const std::shared_ptr<office::CommandBars> &commandBars() const { return m_commandBars; }
    // Takes the command bars of the connected host (GetCommandBars); a failure when there
    // is no connection or the host has no bars.
    platform::Result<bool> takeCommandBars();
    // Lets go of the Application and the bars.
    void release();

    // Shows the failure of a click's work in the host's status bar, the hosts' way of
    // saying that it ended early; nothing when not connected.
    void reportClick(const platform::Result<bool> &result) const;

private:
    office::HostApplication *m_application = nullptr;
    std::shared_ptr<office::CommandBars> m_commandBars;
};

// The connection with the add-in's event object, which is made on first use and stays
// for as long as the library is loaded, so that hooked buttons outlive a connection.
template<class Events> class AddInState : public HostConnection
{
public:
    Events &eventObject()
    {
        if (!m_events)
            m_events = std::make_unique<Events>();
        return *m_events;
    }

private:
    std::unique_ptr<Events> m_events;
};

} // namespace addin

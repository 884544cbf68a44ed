#pragma once

#include "comAddIn/frame/hostconnection.h"
#include "comAddIn/porvex/cmdbarevents.h"
#include "comAddIn/porvex/hostoperations.h"

#include <memory>

namespace porvex
{

// What the add-in holds for as long as the library is loaded: the connection to its host,
// the host's Tools bar and the operator toolbar, and the event object that the Tools
// items and operator buttons are hooked to.
class PorvexAddIn : public addin::AddInState<cmdBarEvents>
{
public:
    // Connects to the host, whose Tools items do their work through `operations` (not
    // owned; it outlives the connection).
    void connect(office::HostApplication &application, HostOperations &operations)
    {
        HostConnection::connect(application);
        m_operations = &operations;
    }
    // The conversions of the Tools items; nullptr before the first connection.
    HostOperations *operations() const { return m_operations; }

    const std::shared_ptr<office::CommandBar> &toolsBar() const { return m_toolsBar; }
    void setToolsBar(std::shared_ptr<office::CommandBar> bar) { m_toolsBar = std::move(bar); }
    const std::shared_ptr<office::CommandBar> &operatorBar() const { return m_operatorBar; }
    void setOperatorBar(std::shared_ptr<office::CommandBar> bar) { m_operatorBar = std::move(bar); }

    // Lets go of the host's objects: the Application, its command bars and both bars.
    void releaseBars();

private:
    HostOperations *m_operations = nullptr;
    std::shared_ptr<office::CommandBar> m_toolsBar;
    std::shared_ptr<office::CommandBar> m_operatorBar;
};

PorvexAddIn &global();

} // namespace porvex

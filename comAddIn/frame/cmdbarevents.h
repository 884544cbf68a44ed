#pragma once

#include "comAddIn/frame/eventbutton.h"
#include "platform/common/result.h"

#include <array>
#include <memory>

namespace porvex
{

// Receives the Click events of the five Tools items and the nine operator buttons, and
// hands each to the operation for the host named by the Application's Name.
class cmdBarEvents
{
public:
    // Tools item k (1..5) and operator button k (1..9): holds the control and hooks its
    // Click to the handler of that number. nullptr releases the member.
    void setToolBtn(int k, std::shared_ptr<office::CommandBarControl> button);
    void setOperatorBtn(int k, std::shared_ptr<office::CommandBarControl> button);
    const addin::EventButton &ToolBtn(int k) const { return m_tools.at(k - 1); }
    const addin::EventButton &OperatorBtn(int k) const { return m_operators.at(k - 1); }

    // The handlers. A failure is shown in the host's status bar, the hosts' way of saying
    // that the click's work ended early.
    static platform::Result<bool> ToolBtnClick(int k);
    static platform::Result<bool> OperatorBtnClick(int k);

private:
    std::array<addin::EventButton, 5> m_tools;
    std::array<addin::EventButton, 9> m_operators;
};

} // namespace porvex

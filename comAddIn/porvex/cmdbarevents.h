#pragma once

#include "comAddIn/frame/eventbutton.h"
#include "platform/common/result.h"

#include <array>
#include <memory>

namespace porvex
{

// The add-in's event object: holds the five Tools items (its members ToolBtn1 to
// ToolBtn5) and the nine operator buttons (OperatorBtn1 to OperatorBtn9), and hands each
// click to the work of that control in the connected host.
class cmdBarEvents
{
public:
    // Holds Tools item k (1..5) or operator button k (1..9) and hooks its Click to the
    // handler of that number. nullptr lets the control go.
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

#pragma once

#include "comAddIn/frame/eventbutton.h"
#include "platform/common/result.h"

#include <array>
#include <memory>

namespace trivane
{

// Receives the Click events of the eight trigram buttons and types the button's symbol
// in the host named by the Application's Name.
class cmdBarEvents
{
public:
    // Button k (1..8): holds the control and hooks its Click. nullptr releases the member.
    void setOperator1Btn(int k, std::shared_ptr<office::CommandBarControl> button);
    const addin::EventButton &Operator1Btn(int k) const { return m_buttons.at(k - 1); }

    // The handler of button k; a host that is none of the four gets nothing.
    static platform::Result<bool> Operator1BtnClick(int k);

private:
    std::array<addin::EventButton, 8> m_buttons;
};

} // namespace trivane

#pragma once

#include "comAddIn/frame/eventbutton.h"
#include "platform/common/result.h"

#include <array>
#include <memory>

namespace trivane
{

// The add-in's event object: holds the eight trigram buttons (its members Operator1Btn1
// to Operator1Btn8) and types a button's symbol in the connected host when it is clicked.
class cmdBarEvents
{
public:
    // Holds trigram button k (1..8) and hooks its Click to Operator1BtnClick(k). nullptr
    // lets the button go.
    void hookButton(int k, std::shared_ptr<office::CommandBarControl> button);
    const addin::EventButton &Operator1Btn(int k) const { return m_buttons.at(k - 1); }

    // The click of trigram button k; a host that is none of the four gets nothing.
    static platform::Result<bool> Operator1BtnClick(int k);

private:
    std::array<addin::EventButton, 8> m_buttons;
};

} // namespace trivane

#include "comAddIn/trivane/cmdbarevents.h"

#include "comAddIn/trivane/global.h"
#include "comAddIn/trivane/inserttrigram.h"

namespace trivane
{

void cmdBarEvents::hookButton(int k, std::shared_ptr<office::CommandBarControl> button)
{
    m_buttons.at(k - 1).set(std::move(button), [k] { global().reportClick(Operator1BtnClick(k)); });
}

platform::Result<bool> cmdBarEvents::Operator1BtnClick(int k)
{
    // The four hosts type alike, each through its object model.
    if (global().host() == addin::Host::Other)
        return true;
    return InsertTrigram(*global().application(), k);
}

} // namespace trivane

#pragma once

#include "comAddIn/frame/hostconnection.h"
#include "comAddIn/trivane/cmdbarevents.h"

#include <memory>

namespace trivane
{

// What the add-in holds for as long as the library is loaded: the connection to its host,
// the bar "八卦符號" and the event object that its eight buttons are hooked to.
class TrigramAddIn : public addin::AddInState<cmdBarEvents>
{
public:
    const std::shared_ptr<office::CommandBar> &trigramBar() const { return m_trigramBar; }
    void setTrigramBar(std::shared_ptr<office::CommandBar> bar) { m_trigramBar = std::move(bar); }

private:
    std::shared_ptr<office::CommandBar> m_trigramBar;
};

TrigramAddIn &global();

} // namespace trivane

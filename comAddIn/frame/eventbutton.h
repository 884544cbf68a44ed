#pragma once

#include "platform/office/host/commandbars.h"

#include <functional>
#include <memory>

namespace addin
{

// A command-bar button held to receive its Click events: the add-ins' "WithEvents"
// member. Setting another control, or nothing, stops the events of the one before.
class EventButton
{
public:
    EventButton() = default;
    EventButton(const EventButton &) = delete;
    EventButton &operator=(const EventButton &) = delete;
    ~EventButton() { reset(); }

    // `onClick` runs for every click of the control until the member is set again.
    void set(std::shared_ptr<office::CommandBarControl> control, std::function<void()> onClick);
    void reset();

    const std::shared_ptr<office::CommandBarControl> &control() const { return m_control; }
    explicit operator bool() const { return bool(m_control); }

private:
    std::shared_ptr<office::CommandBarControl> m_control;
    office::CommandBarControl::Subscription m_subscription = 0;
};

} // namespace addin

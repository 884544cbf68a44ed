#pragma once

#include <com/sun/star/awt/XWindow2.hpp>
#include <com/sun/star/frame/XFrame.hpp>

// Keeps the user's input away from a frame's window while a request runs on its document
// (a conversion stores it, works on the stored file and reloads it): the window takes no
// typing, menus or saving until the lock ends, however the request ended.
namespace lohost
{

class FrameLock
{
public:
    explicit FrameLock(const css::uno::Reference<css::frame::XFrame> &frame);
    ~FrameLock();
    FrameLock(const FrameLock &) = delete;
    FrameLock &operator=(const FrameLock &) = delete;

private:
    css::uno::Reference<css::awt::XWindow2> m_window; // empty when it was not locked here
};

} // namespace lohost

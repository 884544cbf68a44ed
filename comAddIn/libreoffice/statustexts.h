#pragma once

#include "comAddIn/libreoffice/unotext.h"

#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/task/XStatusIndicator.hpp>
#include <cppuhelper/weakref.hxx>
#include <vector>

// The status bar texts our process sets, one per frame. A text stays until the next one
// replaces it or an empty text clears it, so the indicator showing it is kept.
namespace lohost
{

class StatusTexts
{
public:
    void show(const css::uno::Reference<css::frame::XFrame> &frame, const OUString &text);
    // Shows the frame's text again after a reload, which gave the frame a new status bar.
    void renew(const css::uno::Reference<css::frame::XFrame> &frame);

private:
    struct Shown {
        css::uno::WeakReference<css::frame::XFrame> frame;
        css::uno::Reference<css::task::XStatusIndicator> indicator;
        OUString text;
    };
    std::vector<Shown>::iterator find(const css::uno::Reference<css::frame::XFrame> &frame);
    std::vector<Shown> m_shown;
};

} // namespace lohost

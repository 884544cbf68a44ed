#pragma once

#include "comAddIn/libreoffice/delayedcalls.h"
#include "comAddIn/libreoffice/unotext.h"

#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/task/XStatusIndicator.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <cppuhelper/weakref.hxx>
#include <mutex>
#include <optional>
#include <vector>

// The status bar texts our process sets, one per frame. The office shows a text through a
// status indicator, which hides the status bar's own fields (page, words, language, zoom)
// while it lives: a text stays while its request runs, and once the request has ended it
// goes after a few seconds, as the office's own texts do, and the fields come back.
namespace lohost
{

class StatusTexts
{
public:
    void show(const css::uno::Reference<css::frame::XFrame> &frame, const OUString &text);
    // Shows the frame's text again after a reload, which gave the frame a new status bar.
    void renew(const css::uno::Reference<css::frame::XFrame> &frame);
    // The request that set the frame's text has ended: the text goes in a few seconds,
    // unless another one replaces it first.
    void release(const css::uno::Reference<css::uno::XComponentContext> &context,
                 const css::uno::Reference<css::frame::XFrame> &frame);

private:
    struct Shown {
        css::uno::WeakReference<css::frame::XFrame> frame;
        css::uno::Reference<css::task::XStatusIndicator> indicator;
        OUString text;
        unsigned generation = 0; // counts the texts shown, so a late end spares a newer one
    };
    // A copy of what the frame shows, if anything.
    std::optional<Shown> current(const css::uno::Reference<css::frame::XFrame> &frame);
    // Takes the frame's text out of the list; its indicator is ended outside the lock,
    // since the office's thread may wait for it meanwhile.
    std::optional<Shown> take(const css::uno::Reference<css::frame::XFrame> &frame,
                              const unsigned *generation);
    // Ends the frame's text if it is still the one of that generation.
    void end(const css::uno::WeakReference<css::frame::XFrame> &frame, unsigned generation);

    std::mutex m_lock; // guards the members below
    std::vector<Shown> m_shown;
    unsigned m_generation = 0;
    DelayedCalls m_later; // declared last: it ends before what its calls use
};

} // namespace lohost

#include "comAddIn/libreoffice/statustexts.h"

#include <algorithm>
#include <com/sun/star/task/XStatusIndicatorFactory.hpp>
#include <com/sun/star/uno/Exception.hpp>

using namespace css;

namespace lohost
{

namespace
{

// How long a text stays once its request has ended.
constexpr std::chrono::seconds kLinger(5);

bool sameFrame(const uno::WeakReference<frame::XFrame> &shown,
               const uno::Reference<frame::XFrame> &frame)
{
    return uno::Reference<frame::XFrame>(shown) == frame;
}

} // namespace

std::optional<StatusTexts::Shown> StatusTexts::take(const uno::Reference<frame::XFrame> &frame,
                                                    const unsigned *generation)
{
    std::lock_guard lock(m_lock);
    // Frames that have closed take their indicators with them.
    std::erase_if(m_shown, [](const Shown &shown) {
        return !uno::Reference<frame::XFrame>(shown.frame).is();
    });
    const auto found = std::find_if(m_shown.begin(), m_shown.end(), [&](const Shown &shown) {
        return sameFrame(shown.frame, frame) && (!generation || shown.generation == *generation);
    });
    if (found == m_shown.end())
        return std::nullopt;
    Shown shown = *found;
    m_shown.erase(found);
    return shown;
}

std::optional<StatusTexts::Shown> StatusTexts::current(const uno::Reference<frame::XFrame> &frame)
{
    std::lock_guard lock(m_lock);
    const auto found = std::find_if(m_shown.begin(), m_shown.end(), [&](const Shown &shown) {
        return sameFrame(shown.frame, frame);
    });
    return found == m_shown.end() ? std::nullopt : std::optional<Shown>(*found);
}

void StatusTexts::renew(const uno::Reference<frame::XFrame> &frame)
{
    if (const std::optional<Shown> shown = take(frame, nullptr)) {
        // The indicator may have gone with the old status bar; one that still shows is ended.
        try {
            shown->indicator->end();
        } catch (const uno::Exception &) {
        }
        show(frame, shown->text);
    }
}

void StatusTexts::show(const uno::Reference<frame::XFrame> &frame, const OUString &text)
{
    const std::optional<Shown> previous = take(frame, nullptr);
    if (text.isEmpty()) {
        if (previous)
            previous->indicator->end();
        return;
    }
    uno::Reference<task::XStatusIndicator> indicator = previous ? previous->indicator : nullptr;
    if (indicator.is()) {
        indicator->setText(text);
    } else {
        const uno::Reference<task::XStatusIndicatorFactory> factory(frame, uno::UNO_QUERY);
        if (!factory.is())
            return;
        indicator = factory->createStatusIndicator();
        indicator->start(text, 0);
    }
    std::lock_guard lock(m_lock);
    m_shown.push_back({frame, indicator, text, ++m_generation});
}

void StatusTexts::end(const uno::WeakReference<frame::XFrame> &frame, unsigned generation)
{
    const uno::Reference<frame::XFrame> shownIn(frame);
    if (!shownIn.is())
        return;
    if (const std::optional<Shown> shown = take(shownIn, &generation))
        shown->indicator->end();
}

void StatusTexts::release(const uno::Reference<uno::XComponentContext> &context,
                          const uno::Reference<frame::XFrame> &frame)
{
    const std::optional<Shown> shown = current(frame);
    if (!shown)
        return;
    const unsigned generation = shown->generation;
    const uno::WeakReference<frame::XFrame> weakFrame(frame);
    m_later.after(context, kLinger, [this, weakFrame, generation] { end(weakFrame, generation); });
}

} // namespace lohost

#include "comAddIn/libreoffice/statustexts.h"

#include <algorithm>
#include <com/sun/star/task/XStatusIndicatorFactory.hpp>

using namespace css;

namespace lohost
{

std::vector<StatusTexts::Shown>::iterator
StatusTexts::find(const uno::Reference<frame::XFrame> &frame)
{
    // Frames that have closed take their indicators with them.
    std::erase_if(m_shown, [](const Shown &shown) {
        return !uno::Reference<frame::XFrame>(shown.frame).is();
    });
    return std::find_if(m_shown.begin(), m_shown.end(), [&frame](const Shown &shown) {
        return uno::Reference<frame::XFrame>(shown.frame) == frame;
    });
}

void StatusTexts::renew(const uno::Reference<frame::XFrame> &frame)
{
    const auto found = find(frame);
    if (found == m_shown.end())
        return;
    const OUString text = found->text;
    m_shown.erase(found);
    show(frame, text);
}

void StatusTexts::show(const uno::Reference<frame::XFrame> &frame, const OUString &text)
{
    const auto found = find(frame);
    if (text.isEmpty()) {
        if (found != m_shown.end()) {
            found->indicator->end();
            m_shown.erase(found);
        }
        return;
    }
    if (found == m_shown.end()) {
        const uno::Reference<task::XStatusIndicatorFactory> factory(frame, uno::UNO_QUERY);
        if (!factory.is())
            return;
        m_shown.push_back({frame, factory->createStatusIndicator(), text});
        m_shown.back().indicator->start(text, 0);
        return;
    }
    found->indicator->setText(text);
    found->text = text;
}

} // namespace lohost

#include "comAddIn/libreoffice/addindispatcher.h"

#include "comAddIn/libreoffice/commandurl.h"
#include "comAddIn/libreoffice/relayclient.h"
#include "comAddIn/libreoffice/unotext.h"

#include <com/sun/star/frame/DispatchDescriptor.hpp>
#include <com/sun/star/frame/FeatureStateEvent.hpp>
#include <com/sun/star/frame/XStatusListener.hpp>

using namespace css;

namespace lohost
{

void AddinDispatcher::initialize(const uno::Sequence<uno::Any> &arguments)
{
    for (const uno::Any &argument : arguments) {
        if (const uno::Reference<frame::XFrame> frame(argument, uno::UNO_QUERY); frame.is())
            m_frame = frame;
    }
}

uno::Reference<frame::XDispatch> AddinDispatcher::queryDispatch(const util::URL &url,
                                                                const OUString &, sal_Int32)
{
    if (!relay::tagOfCommand(utf8(url.Complete)))
        return {};
    return this;
}

uno::Sequence<uno::Reference<frame::XDispatch>>
AddinDispatcher::queryDispatches(const uno::Sequence<frame::DispatchDescriptor> &requests)
{
    uno::Sequence<uno::Reference<frame::XDispatch>> dispatches(requests.getLength());
    auto *out = dispatches.getArray();
    for (sal_Int32 i = 0; i < requests.getLength(); ++i)
        out[i] =
            queryDispatch(requests[i].FeatureURL, requests[i].FrameName, requests[i].SearchFlags);
    return dispatches;
}

void AddinDispatcher::dispatch(const util::URL &url, const uno::Sequence<beans::PropertyValue> &)
{
    const uno::Reference<frame::XFrame> frame(m_frame);
    const std::optional<std::string> tag = relay::tagOfCommand(utf8(url.Complete));
    if (frame.is() && tag)
        RelayClient::instance().click(m_context, frame, *tag);
}

// Every control is enabled: what a click does is our process's to decide.
void AddinDispatcher::addStatusListener(const uno::Reference<frame::XStatusListener> &listener,
                                        const util::URL &url)
{
    if (!listener.is())
        return;
    frame::FeatureStateEvent state;
    state.Source = static_cast<cppu::OWeakObject *>(this);
    state.FeatureURL = url;
    state.IsEnabled = true;
    listener->statusChanged(state);
}

} // namespace lohost

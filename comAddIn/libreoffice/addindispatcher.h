#pragma once

#include "comAddIn/libreoffice/unoservice.h"

#include <com/sun/star/frame/XDispatch.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/lang/XInitialization.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <cppuhelper/implbase4.hxx>
#include <cppuhelper/weakref.hxx>

// The protocol handler of the command URLs vnd.murvel.addin:<Tag>, one per frame: a
// dispatch clicks the control with that tag for the frame's document.
namespace lohost
{

class AddinDispatcher
    : public UnoService<cppu::WeakImplHelper4<css::frame::XDispatchProvider, css::frame::XDispatch,
                                              css::lang::XInitialization, css::lang::XServiceInfo>,
                        AddinDispatcher>
{
public:
    static constexpr char implementation[] = "org.murvel.addins.AddinDispatcher";
    static constexpr char service[] = "com.sun.star.frame.ProtocolHandler";

    explicit AddinDispatcher(css::uno::Reference<css::uno::XComponentContext> context)
        : UnoService(std::move(context))
    {
    }

    // The office passes the frame the handler serves.
    void SAL_CALL initialize(const css::uno::Sequence<css::uno::Any> &arguments) override;

    css::uno::Reference<css::frame::XDispatch>
        SAL_CALL queryDispatch(const css::util::URL &url, const OUString &target,
                               sal_Int32 searchFlags) override;
    css::uno::Sequence<css::uno::Reference<css::frame::XDispatch>> SAL_CALL
    queryDispatches(const css::uno::Sequence<css::frame::DispatchDescriptor> &requests) override;

    void SAL_CALL dispatch(const css::util::URL &url,
                           const css::uno::Sequence<css::beans::PropertyValue> &) override;
    void SAL_CALL
    addStatusListener(const css::uno::Reference<css::frame::XStatusListener> &listener,
                      const css::util::URL &url) override;
    void SAL_CALL removeStatusListener(const css::uno::Reference<css::frame::XStatusListener> &,
                                       const css::util::URL &) override
    {
    }

private:
    css::uno::WeakReference<css::frame::XFrame> m_frame;
};

} // namespace lohost

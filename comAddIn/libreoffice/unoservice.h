#pragma once

#include "comAddIn/libreoffice/unotext.h"

#include <com/sun/star/uno/XComponentContext.hpp>
#include <cppuhelper/supportsservice.hxx>
#include <cppuhelper/weak.hxx>

// What each service of the extension tells the office about itself, and how the office's
// factory makes it. Service derives from Base (a WeakImplHelper that lists XServiceInfo)
// through this class and names its implementation and its service in two constants.
namespace lohost
{

template<class Base, class Service> class UnoService : public Base
{
public:
    static OUString implementationName()
    {
        return OUString::createFromAscii(Service::implementation);
    }
    static css::uno::Sequence<OUString> serviceNames()
    {
        const OUString name = OUString::createFromAscii(Service::service);
        return css::uno::Sequence<OUString>(&name, 1);
    }
    static css::uno::Reference<css::uno::XInterface>
    create(const css::uno::Reference<css::uno::XComponentContext> &context)
    {
        return static_cast<cppu::OWeakObject *>(new Service(context));
    }

    OUString SAL_CALL getImplementationName() override { return implementationName(); }
    sal_Bool SAL_CALL supportsService(const OUString &name) override
    {
        return cppu::supportsService(this, name);
    }
    css::uno::Sequence<OUString> SAL_CALL getSupportedServiceNames() override
    {
        return serviceNames();
    }

protected:
    explicit UnoService(css::uno::Reference<css::uno::XComponentContext> context)
        : m_context(std::move(context))
    {
    }

    css::uno::Reference<css::uno::XComponentContext> m_context;
};

} // namespace lohost

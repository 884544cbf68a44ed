#pragma once

#include "comAddIn/libreoffice/unotext.h"

#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/task/XJob.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <cppuhelper/implbase2.hxx>

// The job the office runs when it has made a view of a document (the event
// OnViewCreated): the add-ins' bars of the document's host are shown in its module.
namespace lohost
{

class ViewJob : public cppu::WeakImplHelper2<css::task::XJob, css::lang::XServiceInfo>
{
public:
    static OUString implementationName();
    static css::uno::Sequence<OUString> serviceNames();
    static css::uno::Reference<css::uno::XInterface>
    create(const css::uno::Reference<css::uno::XComponentContext> &context);

    css::uno::Any SAL_CALL
    execute(const css::uno::Sequence<css::beans::NamedValue> &arguments) override;

    OUString SAL_CALL getImplementationName() override { return implementationName(); }
    sal_Bool SAL_CALL supportsService(const OUString &name) override;
    css::uno::Sequence<OUString> SAL_CALL getSupportedServiceNames() override
    {
        return serviceNames();
    }

private:
    explicit ViewJob(css::uno::Reference<css::uno::XComponentContext> context);

    css::uno::Reference<css::uno::XComponentContext> m_context;
};

} // namespace lohost

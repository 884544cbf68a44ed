#pragma once

#include "comAddIn/libreoffice/unoservice.h"

#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/task/XJob.hpp>
#include <cppuhelper/implbase2.hxx>

// The job the office runs when it has made a view of a document (the event
// OnViewCreated): the add-ins' bars of the document's host are shown in its module.
namespace lohost
{

class ViewJob
    : public UnoService<cppu::WeakImplHelper2<css::task::XJob, css::lang::XServiceInfo>, ViewJob>
{
public:
    static constexpr char implementation[] = "org.murvel.addins.ViewJob";
    static constexpr char service[] = "com.sun.star.task.Job";

    explicit ViewJob(css::uno::Reference<css::uno::XComponentContext> context)
        : UnoService(std::move(context))
    {
    }

    css::uno::Any SAL_CALL
    execute(const css::uno::Sequence<css::beans::NamedValue> &arguments) override;
};

} // namespace lohost

// The entry points through which the office creates the extension's two services.

#include "comAddIn/libreoffice/addindispatcher.h"
#include "comAddIn/libreoffice/viewjob.h"

#include <cppuhelper/factory.hxx>
#include <cppuhelper/implementationentry.hxx>
#include <uno/lbnames.h>

namespace
{

const cppu::ImplementationEntry implementations[] = {
    {lohost::AddinDispatcher::create, lohost::AddinDispatcher::implementationName,
     lohost::AddinDispatcher::serviceNames, cppu::createSingleComponentFactory, nullptr, 0},
    {lohost::ViewJob::create, lohost::ViewJob::implementationName, lohost::ViewJob::serviceNames,
     cppu::createSingleComponentFactory, nullptr, 0},
    {nullptr, nullptr, nullptr, nullptr, nullptr, 0}};

} // namespace

extern "C" SAL_DLLPUBLIC_EXPORT void *component_getFactory(const char *name, void *serviceManager,
                                                           void *registryKey)
{
    return cppu::component_getFactoryHelper(name, serviceManager, registryKey, implementations);
}

extern "C" SAL_DLLPUBLIC_EXPORT void
component_getImplementationEnvironment(const char **environmentName, uno_Environment **)
{
    *environmentName = CPPU_CURRENT_LANGUAGE_BINDING_NAME;
}

#include "comAddIn/libreoffice/extensionwatcher.h"

#include "comAddIn/libreoffice/relayclient.h"
#include "comAddIn/libreoffice/unotext.h"

#include <com/sun/star/beans/Ambiguous.hpp>
#include <com/sun/star/beans/Optional.hpp>
#include <com/sun/star/deployment/ExtensionManager.hpp>
#include <com/sun/star/deployment/XPackage.hpp>
#include <com/sun/star/ucb/XCommandEnvironment.hpp>
#include <com/sun/star/uno/Exception.hpp>
#include <com/sun/star/util/XModifyBroadcaster.hpp>

using namespace css;

namespace lohost
{

ExtensionWatcher::ExtensionWatcher(uno::Reference<uno::XComponentContext> context)
    : m_context(std::move(context))
{
}

void ExtensionWatcher::start(const uno::Reference<uno::XComponentContext> &context)
{
    try {
        const uno::Reference<util::XModifyBroadcaster> manager(
            deployment::ExtensionManager::get(context), uno::UNO_QUERY_THROW);
        manager->addModifyListener(new ExtensionWatcher(context));
    } catch (const uno::Exception &failure) {
        logProblem("the extension's removal cannot be watched: " + utf8(failure.Message));
    }
}

bool ExtensionWatcher::isInstalledAndEnabled() const
{
    const uno::Reference<deployment::XExtensionManager> manager =
        deployment::ExtensionManager::get(m_context);
    for (const char *repository : {"user", "shared", "bundled"}) {
        const uno::Sequence<uno::Reference<deployment::XPackage>> packages =
            manager->getDeployedExtensions(OUString::createFromAscii(repository),
                                           manager->createAbortChannel(), {});
        for (const uno::Reference<deployment::XPackage> &package : packages) {
            if (!package.is())
                continue;
            const beans::Optional<OUString> identifier = package->getIdentifier();
            if (!identifier.IsPresent ||
                identifier.Value != OUString::createFromAscii(extensionIdentifier))
                continue;
            const beans::Optional<beans::Ambiguous<sal_Bool>> registered =
                package->isRegistered({}, {});
            if (registered.IsPresent && !registered.Value.IsAmbiguous && registered.Value.Value)
                return true;
        }
    }
    return false;
}

void ExtensionWatcher::modified(const lang::EventObject &)
{
    try {
        if (!isInstalledAndEnabled())
            RelayClient::instance().extensionGone(m_context);
    } catch (const uno::Exception &failure) {
        logProblem("the extension's state cannot be read: " + utf8(failure.Message));
    }
}

} // namespace lohost

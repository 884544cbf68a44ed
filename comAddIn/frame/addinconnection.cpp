#include "comAddIn/frame/addinconnection.h"

#include "comAddIn/frame/addinhost.h"
#include "platform/office/host/addinregistration.h"
#include "platform/registry/registrystore.h"

#include <atomic>

namespace addin
{

namespace
{
std::atomic<int> g_liveConnections = 0;
}

Connect::Connect(QString progId, const AddInDefinition &definition)
    : m_progId(std::move(progId)), m_definition(definition)
{
    ++g_liveConnections;
}

Connect::~Connect()
{
    --g_liveConnections;
}

int Connect::liveCount()
{
    return g_liveConnections;
}

platform::Result<bool> Connect::onConnection(office::HostApplication &application,
                                             office::ConnectMode, const office::AddInInstance &,
                                             QStringList &)
{
    return m_definition.onConnection(application);
}

platform::Result<bool> Connect::onDisconnection(office::RemoveMode mode, QStringList &)
{
    return m_definition.onDisconnection(mode);
}

std::unique_ptr<Connect> createConnection(const AddInDefinition &definition, const QString &progId)
{
    for (const char16_t *known : definition.progIds) {
        if (progId.compare(QString::fromUtf16(known), Qt::CaseInsensitive) == 0)
            return std::make_unique<Connect>(QString::fromUtf16(known), definition);
    }
    return nullptr;
}

int registerLibrary(const AddInDefinition &definition, const char *libraryPath)
{
    registry::RegistryStore store;
    for (std::size_t i = 0; i < definition.progIds.size(); ++i) {
        const QString progId = QString::fromUtf16(definition.progIds[i]);
        const QString host = shortNameOf(Host(i));
        const office::AddInRegistration registration{host,
                                                     progId,
                                                     definition.friendlyName,
                                                     definition.description(host),
                                                     definition.loadBehavior,
                                                     0,
                                                     QString::fromUtf8(libraryPath)};
        if (!office::registerAddIn(store, registration))
            return 1;
    }
    return 0;
}

int unregisterLibrary(const AddInDefinition &definition)
{
    registry::RegistryStore store;
    for (std::size_t i = 0; i < definition.progIds.size(); ++i) {
        const QString progId = QString::fromUtf16(definition.progIds[i]);
        if (!office::unregisterAddIn(store, shortNameOf(Host(i)), progId))
            return 1;
    }
    return 0;
}

} // namespace addin

#include "comAddIn/officehost/addinconnections.h"

#include "platform/office/host/hostapplication.h"

namespace officehost
{

AddInConnections::AddInConnections(office::HostApplication &application)
    : m_application(application)
{
}

AddInConnections::~AddInConnections()
{
    disconnectAll(office::RemoveMode::HostShutdown);
}

void AddInConnections::connectAll(const registry::RegistryStore &store)
{
    const QString host = office::addInHostKey(m_application.name());
    for (const office::AddInRegistration &registration : office::registeredAddIns(store, host)) {
        if (!find(registration.progId))
            m_addIns.append({registration, false, QString()});
        connect(registration.progId, office::ConnectMode::Startup);
    }
}

bool AddInConnections::connect(const QString &progId, office::ConnectMode mode)
{
    AddIn *addIn = find(progId);
    if (!addIn)
        return false;
    if (addIn->connected)
        return true;
    addIn->error.clear();
    office::AddInLibrary *loaded = library(addIn->registration.libraryPath, addIn->error);
    if (!loaded)
        return false;
    std::unique_ptr<office::AddInConnection> connection = loaded->createConnection(progId);
    if (!connection) {
        addIn->error = u"%1 不提供 %2"_qs.arg(loaded->path(), progId);
        return false;
    }
    QStringList custom;
    const office::AddInInstance instance{progId,
                                         addIn->registration.description.value_or(QString())};
    const platform::Result<bool> result =
        connection->onConnection(m_application, mode, instance, custom);
    // A connection that failed part way keeps what it hooked, as the hosts keep the
    // add-in loaded; it is disconnected like any other.
    addIn->connected = true;
    m_connections[progId] = std::move(connection);
    if (!result.ok())
        addIn->error = result.errorString();
    return result.ok();
}

bool AddInConnections::disconnect(const QString &progId, office::RemoveMode mode)
{
    AddIn *addIn = find(progId);
    const auto connection = m_connections.find(progId);
    if (!addIn || connection == m_connections.end())
        return false;
    QStringList custom;
    const platform::Result<bool> result = connection->second->onDisconnection(mode, custom);
    m_connections.erase(connection);
    addIn->connected = false;
    addIn->error = result.ok() ? QString() : result.errorString();
    return result.ok();
}

void AddInConnections::disconnectAll(office::RemoveMode mode)
{
    for (const AddIn &addIn : QList<AddIn>(m_addIns)) {
        if (addIn.connected)
            disconnect(addIn.registration.progId, mode);
    }
}

AddInConnections::AddIn *AddInConnections::find(const QString &progId)
{
    for (AddIn &addIn : m_addIns) {
        if (addIn.registration.progId.compare(progId, Qt::CaseInsensitive) == 0)
            return &addIn;
    }
    return nullptr;
}

office::AddInLibrary *AddInConnections::library(const QString &path, QString &error)
{
    auto &slot = m_libraries[path];
    if (!slot) {
        auto library = std::make_unique<office::AddInLibrary>();
        if (!library->load(path)) {
            error = library->errorString();
            m_libraries.erase(path);
            return nullptr;
        }
        slot = std::move(library);
    }
    return slot.get();
}

} // namespace officehost

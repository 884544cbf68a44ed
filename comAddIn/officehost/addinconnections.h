#pragma once

#include "platform/office/host/addin.h"
#include "platform/office/host/addinlibrary.h"
#include "platform/office/host/addinregistration.h"

#include <QList>
#include <QString>
#include <map>
#include <memory>

namespace registry
{
class RegistryStore;
}

namespace officehost
{

// The add-ins registered for one host and their connections: each registered library is
// loaded once, and each ProgID gets one connection object, connected through OnConnection
// and disconnected through OnDisconnection.
class AddInConnections
{
public:
    struct AddIn {
        office::AddInRegistration registration;
        bool connected = false;
        QString error; // why the last connection or disconnection failed; empty when it did not
    };

    // `application` outlives this object.
    explicit AddInConnections(office::HostApplication &application);
    // Disconnects what is still connected, as the host does at its exit.
    ~AddInConnections();
    AddInConnections(const AddInConnections &) = delete;
    AddInConnections &operator=(const AddInConnections &) = delete;

    // Reads the registrations of the host from the store and connects each add-in that is
    // not connected.
    void connectAll(const registry::RegistryStore &store);
    // Connects one of the registered add-ins again (the user ticked it in the list).
    bool connect(const QString &progId,
                 office::ConnectMode mode = office::ConnectMode::AfterStartup);
    // RemoveMode 1 when the user unticks the add-in, 0 at the host's exit.
    bool disconnect(const QString &progId, office::RemoveMode mode);
    void disconnectAll(office::RemoveMode mode);

    const QList<AddIn> &addIns() const { return m_addIns; }

private:
    AddIn *find(const QString &progId);
    office::AddInLibrary *library(const QString &path, QString &error);

    office::HostApplication &m_application;
    QList<AddIn> m_addIns;
    // Libraries by path; they stay loaded while connection objects of theirs may live.
    std::map<QString, std::unique_ptr<office::AddInLibrary>> m_libraries;
    std::map<QString, std::unique_ptr<office::AddInConnection>> m_connections; // by ProgID
};

} // namespace officehost

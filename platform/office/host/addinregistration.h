#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace registry
{
class RegistryStore;
}

namespace office
{

// The registration of one connection class of an add-in, as the host reads it from
// HKEY_CURRENT_USER\Software\Microsoft\Office\<host>\Addins\<ProgID> and, for the
// library, from HKEY_CURRENT_USER\Software\Classes\<ProgID>\InprocServer32.
struct AddInRegistration {
    QString host; // the key's host part: "Word", "Excel", "PowerPoint", "FrontPage"
    QString progId;
    QString friendlyName;
    std::optional<QString> description;
    int loadBehavior = 0;
    int commandLineSafe = 0;
    QString libraryPath;
};

// The registry's host part for an Application name: "Microsoft Word" -> "Word". Empty
// for a name that is no host's of the host table.
QString addInHostKey(const QString &applicationName);

// Writes the four values (Description only when given) and the library path. False, with
// the store's errorString(), when the store cannot be written.
bool registerAddIn(registry::RegistryStore &store, const AddInRegistration &registration);
// Removes both keys; a key already missing is no failure.
bool unregisterAddIn(registry::RegistryStore &store, const QString &host, const QString &progId);

// Every add-in registered for the host, in ProgID order.
QList<AddInRegistration> registeredAddIns(const registry::RegistryStore &store,
                                          const QString &host);

} // namespace office

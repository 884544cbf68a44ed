#pragma once

#include "platform/office/host/addin.h"

#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>

// What every add-in library is to its hosts: four connection classes (ConnectWord,
// ConnectExcel, ConnectPowerPoint, ConnectFrontPage, one class under four ProgIDs), their
// registration, and the library's C exports.
namespace addin
{

// One add-in library as its hosts see it.
struct AddInDefinition {
    // The ProgIDs of the Word, Excel, PowerPoint and FrontPage classes, in that order.
    std::array<const char16_t *, 4> progIds;
    QString friendlyName;
    // The Description value for a host ("Word", ...); none is written when empty.
    std::function<std::optional<QString>(const QString &host)> description;
    int loadBehavior = 0;
    // What the connection classes do on OnConnection and OnDisconnection.
    std::function<platform::Result<bool>(office::HostApplication &)> onConnection;
    std::function<platform::Result<bool>(office::RemoveMode)> onDisconnection;
};

// The connection class: the host's OnConnection and OnDisconnection go to the definition.
class Connect final : public office::AddInConnection
{
public:
    Connect(QString progId, const AddInDefinition &definition);
    ~Connect() override;

    platform::Result<bool> onConnection(office::HostApplication &application,
                                        office::ConnectMode mode,
                                        const office::AddInInstance &addInInst,
                                        QStringList &custom) override;
    platform::Result<bool> onDisconnection(office::RemoveMode mode, QStringList &custom) override;

    QString progId() const { return m_progId; }
    // How many connection objects of this library are alive (it may be unloaded at none).
    static int liveCount();

private:
    QString m_progId;
    const AddInDefinition &m_definition;
};

// A new connection object for the ProgID (compared without regard to case), or nullptr.
std::unique_ptr<Connect> createConnection(const AddInDefinition &definition, const QString &progId);
// The library's exports (addin.h), for the definition.
int registerLibrary(const AddInDefinition &definition, const char *libraryPath);
int unregisterLibrary(const AddInDefinition &definition);

} // namespace addin

// Defines the four C exports of an add-in library for the definition that `definitionFn`
// (a function returning a const AddInDefinition &) gives.
#define MURVEL_ADDIN_EXPORTS(definitionFn)                                                         \
    extern "C" {                                                                                   \
    MURVEL_ADDIN_EXPORT int murvelAddInRegister(const char *libraryPath)                           \
    {                                                                                              \
        return addin::registerLibrary(definitionFn(), libraryPath);                                \
    }                                                                                              \
    MURVEL_ADDIN_EXPORT int murvelAddInUnregister()                                                \
    {                                                                                              \
        return addin::unregisterLibrary(definitionFn());                                           \
    }                                                                                              \
    MURVEL_ADDIN_EXPORT office::AddInConnection *murvelAddInGetClassObject(const char *progId)     \
    {                                                                                              \
        return addin::createConnection(definitionFn(), QString::fromUtf8(progId)).release();       \
    }                                                                                              \
    MURVEL_ADDIN_EXPORT int murvelAddInCanUnloadNow()                                              \
    {                                                                                              \
        return addin::Connect::liveCount() == 0 ? 1 : 0;                                           \
    }                                                                                              \
    }

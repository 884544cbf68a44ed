#pragma once

#include "platform/common/result.h"

#include <QString>
#include <QStringList>

namespace office
{

class HostApplication;

// How the host came to connect an add-in.
enum class ConnectMode { AfterStartup = 0, Startup = 1, External = 2, CommandLine = 3 };
// Why the host disconnects it: 0 at the host's exit, 1 when the user removes it.
enum class RemoveMode { HostShutdown = 0, UserClosed = 1 };

// The host's record of one add-in, passed to OnConnection.
struct AddInInstance {
    QString progId;
    QString description;
};

// One connection object of an add-in library (a "Connect..." class). The host creates
// it through the library's get-class-object export, owns it, and calls OnConnection once
// and OnDisconnection once. A failure is returned to the host as a value.
class AddInConnection
{
public:
    virtual ~AddInConnection() = default;

    // `application` outlives the connection (until OnDisconnection returns).
    virtual platform::Result<bool> onConnection(HostApplication &application, ConnectMode mode,
                                                const AddInInstance &addInInst,
                                                QStringList &custom) = 0;
    virtual platform::Result<bool> onDisconnection(RemoveMode mode, QStringList &custom) = 0;
};

} // namespace office

// The C functions every add-in library exports, found by the host with dlsym. Text is
// UTF-8. Status results: 0 for success, otherwise a failure.
extern "C" {

// Marks a definition of one of them: an add-in library is built with hidden visibility,
// so these four are all it exports.
#define MURVEL_ADDIN_EXPORT __attribute__((visibility("default")))

// Writes the add-in's registration for each of its connection classes; `libraryPath` is
// the library's own path, recorded for its ProgIDs.
using MurvelAddInRegister = int (*)(const char *libraryPath);
// Removes that registration.
using MurvelAddInUnregister = int (*)();
// A new connection object for the ProgID (compared without regard to case), owned by the
// caller, who deletes it; nullptr for a ProgID the library does not serve.
using MurvelAddInGetClassObject = office::AddInConnection *(*)(const char *progId);
// 1 when no connection object of the library is alive, else 0.
using MurvelAddInCanUnloadNow = int (*)();

} // extern "C"

namespace office
{

// The exported names of the four functions above.
inline constexpr char kAddInRegisterSymbol[] = "murvelAddInRegister";
inline constexpr char kAddInUnregisterSymbol[] = "murvelAddInUnregister";
inline constexpr char kAddInGetClassObjectSymbol[] = "murvelAddInGetClassObject";
inline constexpr char kAddInCanUnloadNowSymbol[] = "murvelAddInCanUnloadNow";

} // namespace office

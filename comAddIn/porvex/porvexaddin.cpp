// The exports of the porvex library: registration of its four connection classes and
// their class factory.
#include "comAddIn/frame/connect.h"
#include "platform/office/host/addinregistration.h"
#include "platform/registry/registrystore.h"

namespace
{

// The registry's host part of a ProgID: "PorvexAddin.ConnectWord" -> "Word".
QString hostOfProgId(const QString &progId)
{
    return progId.sliced(progId.indexOf(u".Connect") + 8);
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) int murvelAddInRegister(const char *libraryPath)
{
    registry::RegistryStore store;
    for (const char16_t *id : porvex::kProgIds) {
        const QString progId = QString::fromUtf16(id);
        office::AddInRegistration registration{
            hostOfProgId(progId),          progId, u"Brindlex"_qs, std::nullopt, 16, 0,
            QString::fromUtf8(libraryPath)};
        if (registration.host == u"Excel")
            registration.description = u"ConnectExcel (AddInDesigner)"_qs;
        if (!office::registerAddIn(store, registration))
            return 1;
    }
    return 0;
}

__attribute__((visibility("default"))) int murvelAddInUnregister()
{
    registry::RegistryStore store;
    for (const char16_t *id : porvex::kProgIds) {
        const QString progId = QString::fromUtf16(id);
        if (!office::unregisterAddIn(store, hostOfProgId(progId), progId))
            return 1;
    }
    return 0;
}

__attribute__((visibility("default"))) office::AddInConnection *
murvelAddInGetClassObject(const char *progId)
{
    return porvex::createConnection(QString::fromUtf8(progId)).release();
}

__attribute__((visibility("default"))) int murvelAddInCanUnloadNow()
{
    return porvex::Connect::liveCount() == 0 ? 1 : 0;
}

} // extern "C"

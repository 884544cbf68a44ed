#include "platform/office/host/addinregistration.h"

#include "platform/office/host/hostapplication.h"
#include "platform/registry/registrystore.h"

namespace office
{

namespace
{

using registry::Root;

QString addInsKey(const QString &host)
{
    return u"Software\\Microsoft\\Office\\"_qs + host + u"\\Addins"_qs;
}

QString classKey(const QString &progId)
{
    return u"Software\\Classes\\"_qs + progId + u"\\InprocServer32"_qs;
}

} // namespace

QString addInHostKey(const QString &applicationName)
{
    const HostIdentity *host = hostNamed(applicationName);
    return host ? hostText(host->registryPart) : QString();
}

bool registerAddIn(registry::RegistryStore &store, const AddInRegistration &registration)
{
    const QString key = addInsKey(registration.host) + u'\\' + registration.progId;
    // Clears values of an earlier registration (a Description the class no longer has).
    store.deleteKey(Root::CurrentUser, key);
    return store.setValue(Root::CurrentUser, key, u"FriendlyName"_qs, registration.friendlyName) &&
           (!registration.description ||
            store.setValue(Root::CurrentUser, key, u"Description"_qs, *registration.description)) &&
           store.setValue(Root::CurrentUser, key, u"LoadBehavior"_qs,
                          QString::number(registration.loadBehavior)) &&
           store.setValue(Root::CurrentUser, key, u"CommandLineSafe"_qs,
                          QString::number(registration.commandLineSafe)) &&
           store.setValue(Root::CurrentUser, classKey(registration.progId), QString(),
                          registration.libraryPath);
}

bool unregisterAddIn(registry::RegistryStore &store, const QString &host, const QString &progId)
{
    for (const QString &key : {addInsKey(host) + u'\\' + progId, classKey(progId)}) {
        if (store.keyExists(Root::CurrentUser, key) && !store.deleteKey(Root::CurrentUser, key))
            return false;
    }
    return true;
}

QList<AddInRegistration> registeredAddIns(const registry::RegistryStore &store, const QString &host)
{
    QList<AddInRegistration> addIns;
    for (const QString &progId : store.subkeys(Root::CurrentUser, addInsKey(host))) {
        const QString key = addInsKey(host) + u'\\' + progId;
        AddInRegistration registration;
        registration.host = host;
        registration.progId = progId;
        registration.friendlyName =
            store.value(Root::CurrentUser, key, u"FriendlyName").value_or(QString());
        registration.description = store.value(Root::CurrentUser, key, u"Description");
        registration.loadBehavior =
            store.value(Root::CurrentUser, key, u"LoadBehavior").value_or(QString()).toInt();
        registration.commandLineSafe =
            store.value(Root::CurrentUser, key, u"CommandLineSafe").value_or(QString()).toInt();
        registration.libraryPath =
            store.value(Root::CurrentUser, classKey(progId), u"").value_or(QString());
        addIns.append(registration);
    }
    return addIns;
}

} // namespace office

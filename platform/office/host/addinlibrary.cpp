#include "platform/office/host/addinlibrary.h"

#include <QFileInfo>

namespace office
{

bool AddInLibrary::load(const QString &path)
{
    m_library.setFileName(path);
    if (!m_library.load()) {
        m_error = m_library.errorString();
        return false;
    }
    m_register = reinterpret_cast<MurvelAddInRegister>(m_library.resolve(kAddInRegisterSymbol));
    m_unregister =
        reinterpret_cast<MurvelAddInUnregister>(m_library.resolve(kAddInUnregisterSymbol));
    m_getClassObject =
        reinterpret_cast<MurvelAddInGetClassObject>(m_library.resolve(kAddInGetClassObjectSymbol));
    // The host never unloads a library while it runs, so it only checks that the fourth
    // export is there.
    const bool unloadExported = m_library.resolve(kAddInCanUnloadNowSymbol) != nullptr;
    if (!m_register || !m_unregister || !m_getClassObject || !unloadExported) {
        m_error = u"%1 不是增益集程式庫"_qs.arg(path);
        m_library.unload();
        return false;
    }
    return true;
}

int AddInLibrary::registerServer() const
{
    return m_register(QFileInfo(m_library.fileName()).absoluteFilePath().toUtf8().constData());
}

int AddInLibrary::unregisterServer() const
{
    return m_unregister();
}

std::unique_ptr<AddInConnection> AddInLibrary::createConnection(const QString &progId) const
{
    return std::unique_ptr<AddInConnection>(m_getClassObject(progId.toUtf8().constData()));
}

} // namespace office

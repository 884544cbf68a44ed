#pragma once

#include "platform/office/host/addin.h"

#include <QLibrary>
#include <QString>
#include <memory>

namespace office
{

// One add-in library loaded into the process, with its four exports (addin.h). The
// library stays loaded for the object's life; connection objects must be gone before.
class AddInLibrary
{
public:
    // False, with errorString(), when the file cannot be loaded or lacks an export.
    bool load(const QString &path);
    QString path() const { return m_library.fileName(); }
    QString errorString() const { return m_error; }

    // Status 0 for success, as the exports return it.
    int registerServer() const;
    int unregisterServer() const;
    // nullptr for a ProgID the library does not serve.
    std::unique_ptr<AddInConnection> createConnection(const QString &progId) const;

private:
    QLibrary m_library;
    QString m_error;
    MurvelAddInRegister m_register = nullptr;
    MurvelAddInUnregister m_unregister = nullptr;
    MurvelAddInGetClassObject m_getClassObject = nullptr;
};

} // namespace office

#pragma once

#include "platform/office/host/addin.h"

#include <QString>
#include <memory>

namespace porvex
{

// The connection class through which a host connects the add-in. ConnectWord,
// ConnectExcel, ConnectPowerPoint and ConnectFrontPage are this one class under the four
// ProgIDs.
class Connect final : public office::AddInConnection
{
public:
    explicit Connect(QString progId);
    ~Connect() override;

    // Holds the application and builds the controls.
    platform::Result<bool> onConnection(office::HostApplication &application,
                                        office::ConnectMode mode,
                                        const office::AddInInstance &addInInst,
                                        QStringList &custom) override;
    // RemoveMode 1 removes the Tools items and the operator toolbar first; every
    // disconnection then releases the host's objects, even when the removal failed.
    platform::Result<bool> onDisconnection(office::RemoveMode mode, QStringList &custom) override;

    QString progId() const { return m_progId; }
    // How many connection objects are alive (the library may be unloaded at none).
    static int liveCount();

private:
    QString m_progId;
};

// The ProgIDs of the four classes.
inline constexpr const char16_t *kProgIds[] = {
    u"PorvexAddin.ConnectWord",
    u"PorvexAddin.ConnectExcel",
    u"PorvexAddin.ConnectPowerPoint",
    u"PorvexAddin.ConnectFrontPage",
};

// A new connection object for the ProgID (compared without regard to case), or nullptr.
std::unique_ptr<Connect> createConnection(const QString &progId);

} // namespace porvex

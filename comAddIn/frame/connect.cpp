#include "comAddIn/frame/connect.h"

#include "comAddIn/frame/cmdbarinit.h"
#include "comAddIn/frame/global.h"

#include <atomic>

namespace porvex
{

namespace
{
std::atomic<int> g_liveConnections = 0;
}

Connect::Connect(QString progId) : m_progId(std::move(progId))
{
    ++g_liveConnections;
}

Connect::~Connect()
{
    --g_liveConnections;
}

int Connect::liveCount()
{
    return g_liveConnections;
}

platform::Result<bool> Connect::onConnection(office::HostApplication &application,
                                             office::ConnectMode, const office::AddInInstance &,
                                             QStringList &)
{
    global().Application = &application;
    return InitCommandBars();
}

platform::Result<bool> Connect::onDisconnection(office::RemoveMode mode, QStringList &)
{
    platform::Result<bool> result = true;
    if (mode == office::RemoveMode::UserClosed) {
        result = RemoveToolButtons();
        DeleteOperatorBar();
    }
    ReleaseCommandBars();
    return result;
}

std::unique_ptr<Connect> createConnection(const QString &progId)
{
    for (const char16_t *known : kProgIds) {
        if (progId.compare(QString::fromUtf16(known), Qt::CaseInsensitive) == 0)
            return std::make_unique<Connect>(QString::fromUtf16(known));
    }
    return nullptr;
}

} // namespace porvex

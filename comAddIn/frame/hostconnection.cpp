#include "comAddIn/frame/hostconnection.h"

#include "platform/office/host/hostapplication.h"

namespace addin
{

Host HostConnection::host() const
{
    return m_application ? hostOf(m_application->name()) : Host::Other;
}

platform::Result<bool> HostConnection::takeCommandBars()
{
    if (!m_application)
        return platform::Result<bool>::failure(u"增益集尚未連線"_qs);
    auto found = GetCommandBars(*m_application);
    if (!found.ok())
        return platform::Result<bool>::failure(found.errorString());
    m_commandBars = found.value();
    return true;
}

void HostConnection::reportClick(const platform::Result<bool> &result) const
{
    if (!result.ok() && m_application)
        m_application->reportClickFailure(result.errorString());
}

void HostConnection::release()
{
    m_application = nullptr;
    m_commandBars.reset();
}

} // namespace addin

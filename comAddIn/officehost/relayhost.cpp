#include "comAddIn/officehost/relayhost.h"

#include "comAddIn/officehost/addinconnections.h"
#include "comAddIn/officehost/clickablecontrol.h"
#include "comAddIn/officehost/commandbardescription.h"
#include "comAddIn/officehost/hostmessages.h"
#include "comAddIn/officehost/hostsession.h"
#include "comAddIn/officehost/windowsinfront.h"
#include "platform/office/host/hostapplication.h"
#include "platform/registry/registrystore.h"

namespace officehost
{

std::unique_ptr<RelayHost> RelayHost::start(const QString &hostName, CaptionIcons &icons)
{
    std::unique_ptr<HostSession> session = HostSession::start(hostName);
    return session ? std::unique_ptr<RelayHost>(new RelayHost(std::move(session), icons)) : nullptr;
}

RelayHost::RelayHost(std::unique_ptr<HostSession> session, CaptionIcons &icons)
    : m_session(std::move(session)),
      m_addIns(std::make_unique<AddInConnections>(m_session->application())), m_icons(icons)
{
}

RelayHost::~RelayHost() = default;

QJsonArray RelayHost::describeBars()
{
    m_describedBars = barsNow();
    return m_describedBars;
}

bool RelayHost::barsChanged() const
{
    return barsNow() != m_describedBars;
}

QJsonArray RelayHost::barsNow() const
{
    const auto bars = m_session->application().commandBars();
    return bars ? describeCommandBars(*bars, m_icons) : QJsonArray();
}

platform::Result<bool> RelayHost::click(const QString &tag, const ClickedDocument &document,
                                        RelayPeer &peer)
{
    // What asks the user during the click belongs to the window it was made in.
    const ForeignOwner owner(document.window);
    const auto control = clickableControl(m_session->application().commandBars().get(), tag);
    platform::Result<bool> clicked = platform::Result<bool>::failure(control.errorString());
    if (control.ok())
        clicked = RelayClick(*m_session, peer, document).run(*control.value());
    if (!clicked.ok())
        showWarning(nullptr, control.ok() ? control.value()->caption() : tag,
                    clicked.errorString());
    return clicked;
}

void RelayHost::connectAddIns()
{
    m_addIns->connectAll(registry::RegistryStore());
}

void RelayHost::disconnectAddIns(office::RemoveMode mode)
{
    m_addIns->disconnectAll(mode);
}

} // namespace officehost

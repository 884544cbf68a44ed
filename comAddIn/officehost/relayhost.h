#pragma once

#include "comAddIn/officehost/relayclick.h"
#include "platform/office/host/addin.h"

#include <QJsonArray>
#include <memory>

namespace officehost
{

class AddInConnections;
class CaptionIcons;

// One host served to another program: a session of that host without a document, the
// add-ins registered for it, and the command bars as last described to the other program,
// which mirrors them.
class RelayHost
{
public:
    // The host of that name ("Microsoft Word", ...), its add-ins not connected yet; nullptr
    // for a name no host has. The bars' operator captions are drawn by `icons`, which
    // outlives the host.
    static std::unique_ptr<RelayHost> start(const QString &hostName, CaptionIcons &icons);
    // Disconnects the add-ins that are still connected (RemoveMode 0), then ends the session.
    ~RelayHost();

    // The command bars as they stand, remembered as the other program's mirror of them.
    QJsonArray describeBars();
    // Whether the bars differ from those last described.
    bool barsChanged() const;

    // Clicks the control tagged `tag` for the document, with the peer carrying out what the
    // click does to it. A failure has been shown to the user.
    platform::Result<bool> click(const QString &tag, const ClickedDocument &document,
                                 RelayPeer &peer);

    // Connects the add-ins that are not connected.
    void connectAddIns();
    // RemoveMode 1 when the user took the add-ins away: each removes what it added.
    void disconnectAddIns(office::RemoveMode mode);

private:
    RelayHost(std::unique_ptr<HostSession> session, CaptionIcons &icons);
    QJsonArray barsNow() const;

    std::unique_ptr<HostSession> m_session;
    // The connections use the session's application: declared after it, they go first.
    std::unique_ptr<AddInConnections> m_addIns;
    CaptionIcons &m_icons;
    QJsonArray m_describedBars;
};

} // namespace officehost

#pragma once

#include "platform/common/result.h"

#include <QJsonObject>
#include <QList>
#include <QLocalServer>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <map>
#include <memory>

namespace officehost
{

class CaptionIcons;
class RelayChannel;
class RelayHost;

// Serves the add-ins to the office program where the user writes, over a local socket: it
// describes each host's command bars, runs the clicks made on them there and sends back
// what they do to the document, and disconnects the add-ins when they are taken away.
// Each host gets one session, made on its first request. An add-in keeps the state of one
// host in its library, as each office program loads its own copy: the add-ins are
// connected to the host of the request being served, and disconnected (RemoveMode 0) from
// the host before, whose bars stay in their file. Requests are served one at a time, in the
// order they come; a client waits for each answer before its next request.
class RelayServer : public QObject
{
    Q_OBJECT

public:
    explicit RelayServer(std::chrono::milliseconds idleTime = std::chrono::seconds(10));
    // Disconnects every host's add-ins (RemoveMode 0) and stops listening.
    ~RelayServer() override;

    // Listens on the socket at the path, for this user only: its folder is made (mode 0700)
    // when missing, and refused unless it is a folder of this user's that no one else can
    // enter; clients that run as another user are hung up on. A socket file that no server
    // answers on any more is taken over; a failure when a server answers there or the
    // socket cannot be made. The pictures of the operator captions go into a folder of the
    // server's own beside it, named as the socket with ".icons-" and six characters added.
    platform::Result<bool> listen(const QString &path);

signals:
    // No client has been connected for the idle time, from the start or since the last
    // one went.
    void idle();

private:
    void accept();
    void serveWaitingRequests();
    void answer(RelayChannel &channel, const platform::Result<QJsonObject> &request);
    QJsonObject click(RelayHost &host, RelayChannel &channel, const QJsonObject &request);
    // Ends the host's session once its add-ins are disconnected.
    QJsonObject disconnectAddIns(const QString &hostName, RelayHost &host,
                                 const QJsonObject &request);
    // The host's session, made now when it has none, with the add-ins connected to it;
    // nullptr for a name no host has.
    RelayHost *host(const QString &name);
    // Lets go of closed connections; with none left, the idle time starts.
    void dropClosedChannels();

    QLocalServer m_server;
    QList<RelayChannel *> m_channels; // children of this object
    // The hosts draw their captions here: declared before them, it goes after them.
    std::unique_ptr<CaptionIcons> m_icons;
    std::map<QString, std::unique_ptr<RelayHost>> m_hosts;
    QTimer m_idle;
    bool m_serving = false;
};

} // namespace officehost

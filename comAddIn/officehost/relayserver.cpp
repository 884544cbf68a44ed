#include "comAddIn/officehost/relayserver.h"

#include "comAddIn/officehost/captionicons.h"
#include "comAddIn/officehost/relaychannel.h"
#include "comAddIn/officehost/relayhost.h"

#include <QFile>
#include <QLocalSocket>
#include <sys/stat.h>

namespace officehost
{

namespace
{

using Done = platform::Result<bool>;

QJsonObject done(const Done &result, bool barsChanged)
{
    return QJsonObject{
        {u"done"_qs, true},
        {u"ok"_qs, result.ok()},
        {u"message"_qs, result.errorString()},
        {u"barsChanged"_qs, barsChanged},
    };
}

// Whether a file is at the path, and whether it is a socket.
struct PathKind {
    bool exists = false;
    bool socket = false;
};

PathKind kindOf(const QString &path)
{
    struct stat status {
    };
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    return {true, S_ISSOCK(status.st_mode)};
}

} // namespace

RelayServer::RelayServer(std::chrono::milliseconds idleTime)
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(idleTime);
    connect(&m_idle, &QTimer::timeout, this, &RelayServer::idle);
    connect(&m_server, &QLocalServer::newConnection, this, &RelayServer::accept);
}

RelayServer::~RelayServer() = default;

Done RelayServer::listen(const QString &path)
{
    if (const PathKind kind = kindOf(path); kind.exists) {
        if (!kind.socket)
            return Done::failure(u"%1 已經存在，不是通訊端"_qs.arg(path));
        QLocalSocket probe;
        probe.connectToServer(path);
        if (probe.waitForConnected(1000))
            return Done::failure(u"已經有程式在 %1 服務"_qs.arg(path));
        // Left by a server that ended without removing it.
        QLocalServer::removeServer(path);
    }
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server.listen(path))
        return Done::failure(u"無法在 %1 接受連線：%2"_qs.arg(path, m_server.errorString()));
    m_icons = std::make_unique<CaptionIcons>(path + u".icons"_qs);
    m_idle.start();
    return true;
}

void RelayServer::accept()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        auto *channel = new RelayChannel(socket, this);
        m_channels.append(channel);
        connect(channel, &RelayChannel::messageArrived, this, &RelayServer::serveWaitingRequests);
        connect(channel, &RelayChannel::closed, this, [this] {
            if (!m_serving)
                dropClosedChannels();
        });
        m_idle.stop();
    }
}

void RelayServer::serveWaitingRequests()
{
    // A request arriving while another is served (the chooser runs events) waits for it.
    if (m_serving)
        return;
    m_serving = true;
    for (bool served = true; served;) {
        served = false;
        for (RelayChannel *channel : QList<RelayChannel *>(m_channels)) {
            if (const auto request = channel->takeMessage()) {
                answer(*channel, *request);
                served = true;
            }
        }
    }
    m_serving = false;
    dropClosedChannels();
}

void RelayServer::answer(RelayChannel &channel, const platform::Result<QJsonObject> &request)
{
    if (!request.ok()) {
        channel.send(done(Done::failure(request.errorString()), false));
        return;
    }
    const QString op = request->value(u"op").toString();
    const QString hostName = request->value(u"host").toString();
    if (op != u"bars" && op != u"click" && op != u"disconnect") {
        channel.send(done(Done::failure(u"不明的要求「%1」"_qs.arg(op)), false));
        return;
    }
    RelayHost *relayHost = host(hostName);
    if (!relayHost) {
        channel.send(done(Done::failure(u"沒有名為「%1」的主程式"_qs.arg(hostName)), false));
        return;
    }
    if (op == u"bars")
        channel.send(QJsonObject{{u"bars"_qs, relayHost->describeBars()}});
    else if (op == u"click")
        channel.send(click(*relayHost, channel, request.value()));
    else
        channel.send(disconnectAddIns(hostName, *relayHost, request.value()));
}

QJsonObject RelayServer::click(RelayHost &host, RelayChannel &channel, const QJsonObject &request)
{
    const QJsonObject document = request.value(u"document").toObject();
    const ClickedDocument clicked{document.value(u"path").toString(),
                                  document.value(u"modified").toBool(),
                                  quintptr(document.value(u"window").toDouble())};
    const Done result = host.click(request.value(u"tag").toString(), clicked, channel);
    return done(result, host.barsChanged());
}

QJsonObject RelayServer::disconnectAddIns(const QString &hostName, RelayHost &host,
                                          const QJsonObject &request)
{
    const int mode = request.value(u"mode").toInt(-1);
    if (mode != int(office::RemoveMode::HostShutdown) &&
        mode != int(office::RemoveMode::UserClosed))
        return done(Done::failure(u"不明的中斷方式 %1"_qs.arg(mode)), false);
    host.disconnectAddIns(office::RemoveMode(mode));
    const bool changed = host.barsChanged();
    // A later request for the host connects the add-ins again.
    m_hosts.erase(hostName);
    return done(true, changed);
}

RelayHost *RelayServer::host(const QString &name)
{
    auto &slot = m_hosts[name];
    if (!slot)
        slot = RelayHost::start(name, *m_icons);
    if (!slot) {
        m_hosts.erase(name);
        return nullptr;
    }
    for (const auto &[other, otherHost] : m_hosts) {
        if (other != name)
            otherHost->disconnectAddIns(office::RemoveMode::HostShutdown);
    }
    slot->connectAddIns();
    return slot.get();
}

void RelayServer::dropClosedChannels()
{
    for (RelayChannel *channel : QList<RelayChannel *>(m_channels)) {
        if (!channel->isOpen()) {
            m_channels.removeOne(channel);
            channel->deleteLater();
        }
    }
    if (m_channels.isEmpty() && !m_idle.isActive())
        m_idle.start();
}

} // namespace officehost

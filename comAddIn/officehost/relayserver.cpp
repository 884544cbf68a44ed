#include "comAddIn/officehost/relayserver.h"

#include "comAddIn/officehost/captionicons.h"
#include "comAddIn/officehost/relaychannel.h"
#include "comAddIn/officehost/relayhost.h"
#include "comAddIn/relay/wireformat.h"
#include "comAddIn/relaysocket/privatesocket.h"

#include <QFile>
#include <QLocalSocket>
#include <sys/stat.h>
#include <unistd.h>

namespace officehost
{

namespace
{

using Done = platform::Result<bool>;
using namespace relay::wire;
using Key = QLatin1String;

QJsonObject done(const Done &result, bool barsChanged)
{
    return QJsonObject{
        {Key(kDone), true},
        {Key(kOk), result.ok()},
        {Key(kMessage), result.errorString()},
        {Key(kBarsChanged), barsChanged},
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

// Why the socket's folder may not hold the socket; empty when it may.
QString folderRefusal(const QString &socketPath)
{
    using relaysocket::FolderProblem;
    const std::string path = QFile::encodeName(socketPath).toStdString();
    const QString folder = QFile::decodeName(relaysocket::folderOf(path).c_str());
    switch (relaysocket::claimSocketFolder(path, ::getuid())) {
    case FolderProblem::None:
        break;
    case FolderProblem::CannotMake:
        return u"無法建立通訊端的資料夾 %1"_qs.arg(folder);
    case FolderProblem::NotAFolder:
        return u"通訊端的資料夾 %1 不是資料夾（不接受連結）"_qs.arg(folder);
    case FolderProblem::OtherOwner:
        return u"通訊端的資料夾 %1 屬於其他使用者"_qs.arg(folder);
    case FolderProblem::OpenToOthers:
        return u"通訊端的資料夾 %1 其他使用者也能進入"_qs.arg(folder);
    }
    return {};
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
    // Another user could take a socket in a folder open to them, or listen in its place.
    if (const QString refused = folderRefusal(path); !refused.isEmpty())
        return Done::failure(refused);
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
        // Clicks store and change the user's documents: only the user's own processes ask.
        if (!relaysocket::peerRunsAs(int(socket->socketDescriptor()), ::getuid())) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
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
    const QString op = request->value(Key(kOp)).toString();
    const QString hostName = request->value(Key(kHost)).toString();
    if (op != Key(op::kBars) && op != Key(op::kClick) && op != Key(op::kDisconnect)) {
        channel.send(done(Done::failure(u"不明的要求「%1」"_qs.arg(op)), false));
        return;
    }
    RelayHost *relayHost = host(hostName);
    if (!relayHost) {
        channel.send(done(Done::failure(u"沒有名為「%1」的主程式"_qs.arg(hostName)), false));
        return;
    }
    if (op == Key(op::kBars))
        channel.send(QJsonObject{{Key(kBars), relayHost->describeBars()}});
    else if (op == Key(op::kClick))
        channel.send(click(*relayHost, channel, request.value()));
    else
        channel.send(disconnectAddIns(hostName, *relayHost, request.value()));
}

QJsonObject RelayServer::click(RelayHost &host, RelayChannel &channel, const QJsonObject &request)
{
    const QJsonObject document = request.value(Key(kDocument)).toObject();
    const ClickedDocument clicked{document.value(Key(kPath)).toString(),
                                  document.value(Key(kModified)).toBool(),
                                  quintptr(document.value(Key(kWindow)).toDouble())};
    const Done result = host.click(request.value(Key(kTag)).toString(), clicked, channel);
    return done(result, host.barsChanged());
}

QJsonObject RelayServer::disconnectAddIns(const QString &hostName, RelayHost &host,
                                          const QJsonObject &request)
{
    const int mode = request.value(Key(kMode)).toInt(-1);
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

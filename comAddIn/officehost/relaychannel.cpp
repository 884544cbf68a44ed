#include "comAddIn/officehost/relaychannel.h"

#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QLocalSocket>

namespace officehost
{

namespace
{

// No message of the protocol comes near it: a client that sends more without ending the
// line is not speaking it.
constexpr qsizetype kLongestLine = 1 << 20;
// LibreOffice stores a large document within it.
constexpr int kAnswerTime = 120'000; // ms

} // namespace

RelayChannel::RelayChannel(QLocalSocket *socket, QObject *parent)
    : QObject(parent), m_socket(socket)
{
    m_socket->setParent(this);
    connect(m_socket, &QLocalSocket::readyRead, this, &RelayChannel::readAvailable);
    connect(m_socket, &QLocalSocket::disconnected, this, &RelayChannel::closed);
}

bool RelayChannel::isOpen() const
{
    return m_socket->state() == QLocalSocket::ConnectedState;
}

void RelayChannel::readAvailable()
{
    receive();
    if (m_received.contains('\n'))
        emit messageArrived();
}

void RelayChannel::receive()
{
    m_received += m_socket->readAll();
    if (!m_received.contains('\n') && m_received.size() > kLongestLine) {
        m_received.clear();
        m_socket->abort();
    }
}

std::optional<platform::Result<QJsonObject>> RelayChannel::takeMessage()
{
    // The socket does not signal what arrives while a request is answered within its signal.
    receive();
    const qsizetype end = m_received.indexOf('\n');
    if (end < 0)
        return std::nullopt;
    const QByteArray line = m_received.left(end);
    m_received.remove(0, end + 1);
    QJsonParseError error;
    const QJsonDocument message = QJsonDocument::fromJson(line, &error);
    if (!message.isObject())
        return platform::Result<QJsonObject>::failure(u"無法讀取的訊息：%1"_qs.arg(
            error.error == QJsonParseError::NoError ? u"不是 JSON 物件"_qs : error.errorString()));
    return message.object();
}

void RelayChannel::send(const QJsonObject &message)
{
    m_socket->write(QJsonDocument(message).toJson(QJsonDocument::Compact) + '\n');
    m_socket->flush();
}

platform::Result<QJsonObject> RelayChannel::ask(const QJsonObject &message)
{
    send(message);
    const QDeadlineTimer deadline(kAnswerTime);
    for (;;) {
        if (auto answer = takeMessage())
            return *answer;
        if (!isOpen())
            return platform::Result<QJsonObject>::failure(u"連線已中斷"_qs);
        if (deadline.hasExpired())
            return platform::Result<QJsonObject>::failure(u"沒有回覆"_qs);
        m_socket->waitForReadyRead(int(deadline.remainingTime()));
    }
}

} // namespace officehost

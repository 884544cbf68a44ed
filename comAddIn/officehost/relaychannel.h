#pragma once

#include "comAddIn/officehost/relaypeer.h"

#include <QObject>
#include <optional>

class QLocalSocket;

namespace officehost
{

// One client's connection to the relay: JSON objects, one per line, UTF-8, each way.
class RelayChannel : public QObject, public RelayPeer
{
    Q_OBJECT

public:
    // Takes the socket over.
    explicit RelayChannel(QLocalSocket *socket, QObject *parent = nullptr);

    bool isOpen() const;
    // The next whole line the client sent, read as a JSON object (a failure when it is not
    // one); nothing while no whole line has come.
    std::optional<platform::Result<QJsonObject>> takeMessage();

    void send(const QJsonObject &message) override;
    // Sends the message and waits for the client's next line, without running events: the
    // client sends nothing else while it owes the answer.
    platform::Result<QJsonObject> ask(const QJsonObject &message) override;

signals:
    // A whole line has come.
    void messageArrived();
    void closed();

private:
    void readAvailable();
    // Takes what the socket holds.
    void receive();

    QLocalSocket *m_socket; // owned through the object tree
    QByteArray m_received;
};

} // namespace officehost

#pragma once

#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QLocalSocket>
#include <functional>
#include <optional>

// The office program's end of the relay as a test drives it, over a real local socket with
// the socket's blocking calls: it runs in a thread of its own while the test's thread
// serves.
class RelayClient
{
public:
    explicit RelayClient(const QString &socketPath)
    {
        m_socket.connectToServer(socketPath);
        m_socket.waitForConnected(10'000);
    }

    bool connected() const { return m_socket.state() == QLocalSocket::ConnectedState; }

    void sendLine(const QByteArray &line)
    {
        m_socket.write(line + '\n');
        m_socket.waitForBytesWritten(10'000);
    }
    void send(const QJsonObject &message)
    {
        sendLine(QJsonDocument(message).toJson(QJsonDocument::Compact));
    }

    // The next line the relay sends; nothing when none comes within two minutes (a
    // conversion takes its time under the sanitizers).
    std::optional<QJsonObject> next()
    {
        while (!m_socket.canReadLine()) {
            if (!m_socket.waitForReadyRead(120'000))
                return std::nullopt;
        }
        return QJsonDocument::fromJson(m_socket.readLine()).object();
    }

    std::optional<QJsonObject> ask(const QJsonObject &request)
    {
        send(request);
        return next();
    }

    // Clicks the tag and gives every line that answers it, the "done" line last. The relay's
    // "store" is answered with what `store` returns; a click that is not answered ends the
    // list early.
    QList<QJsonObject> click(const QString &host, const QString &tag, const QString &path,
                             bool modified, const std::function<QJsonObject()> &store = {})
    {
        send(QJsonObject{{u"op"_qs, u"click"_qs},
                         {u"host"_qs, host},
                         {u"tag"_qs, tag},
                         {u"document"_qs, QJsonObject{{u"path"_qs, path},
                                                      {u"modified"_qs, modified},
                                                      {u"title"_qs, u"文件"_qs}}}});
        QList<QJsonObject> lines;
        while (const std::optional<QJsonObject> line = next()) {
            lines.append(*line);
            if (line->value(u"done").toBool())
                break;
            if (line->value(u"action").toString() == u"store")
                send(store ? store() : QJsonObject{{u"stored"_qs, true}});
        }
        return lines;
    }

private:
    QLocalSocket m_socket;
};

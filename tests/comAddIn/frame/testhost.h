#pragma once

#include "comAddIn/frame/addinconnection.h"
#include "platform/office/host/commandbars.h"
#include "platform/office/host/hostapplication.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// A host application whose command bars live in a real file of a temporary folder.
class TestHost : public office::HostApplication
{
public:
    explicit TestHost(QString name) : m_name(std::move(name)) { reopenBars(); }

    QString name() const override { return m_name; }
    QString barsFile() const { return m_dir.filePath(u"bars.json"_qs); }
    // As a host does at its next start: the bars read back from their file.
    void reopenBars() { setCommandBars(office::CommandBars::openFile(barsFile())); }
    office::CommandBar &bar(const QString &name) const { return *commandBars()->item(name); }

protected:
    // A host without documents.
    platform::Result<bool> typeIntoActiveDocument(const QString &) override
    {
        return noDocumentOpen();
    }

private:
    QString m_name;
    QTemporaryDir m_dir;
};

// A test that connects one connection object of an add-in to test hosts and disconnects it
// as the hosts do; a connection still open at the end is closed as at the host's exit.
class AddInConnectionTest : public ::testing::Test
{
protected:
    virtual std::unique_ptr<addin::Connect> createConnection() const = 0;

    platform::Result<bool> connect(office::HostApplication &host)
    {
        m_connection = createConnection();
        QStringList custom;
        return m_connection->onConnection(host, office::ConnectMode::Startup, {}, custom);
    }
    platform::Result<bool> disconnect(office::RemoveMode mode)
    {
        QStringList custom;
        const auto result = m_connection->onDisconnection(mode, custom);
        m_connection.reset();
        return result;
    }
    // A host run: connect, then disconnect at the host's exit, then read the bars back.
    void runHostOnce(TestHost &host)
    {
        ASSERT_TRUE(connect(host).ok());
        ASSERT_TRUE(disconnect(office::RemoveMode::HostShutdown).ok());
        host.reopenBars();
    }
    void TearDown() override
    {
        if (m_connection)
            disconnect(office::RemoveMode::HostShutdown);
    }

    std::unique_ptr<addin::Connect> m_connection;
};

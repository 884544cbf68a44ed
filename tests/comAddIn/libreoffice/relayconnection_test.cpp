// The extension's connection to our process: the socket it chooses, the process it starts
// when nothing listens, and lines that come in pieces or not at all.
#include "comAddIn/libreoffice/relayconnection.h"
#include "comAddIn/relaysocket/privatesocket.h"
#include "tests/support/scopedenvironment.h"

#include <QTemporaryDir>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace
{

using namespace std::chrono_literals;
using relay::RelayConnection;

TEST(RelayConnection, SocketAndProgramFollowTheEnvironment)
{
    ScopedEnvironment environment;
    environment.set("MURVEL_ADDIN_SOCKET", "/run/x/relay.socket");
    EXPECT_EQ(relay::relaySocketPath(), "/run/x/relay.socket");
    environment.unset("MURVEL_ADDIN_SOCKET");
    environment.set("XDG_RUNTIME_DIR", "/run/user/7");
    EXPECT_EQ(relay::relaySocketPath(), "/run/user/7/murvel-addins.socket");
    environment.unset("XDG_RUNTIME_DIR");
    EXPECT_EQ(relay::relaySocketPath(),
              "/tmp/murvel-addins-" + std::to_string(getuid()) + "/murvel-addins.socket");

    environment.unset("MURVEL_OFFICEHOST");
    EXPECT_EQ(relay::officehostProgram("/build/bin/officehost"), "/build/bin/officehost");
    environment.set("MURVEL_OFFICEHOST", "/opt/officehost");
    EXPECT_EQ(relay::officehostProgram("/build/bin/officehost"), "/opt/officehost");
}

// A listening socket served by a thread: it answers each line with the given replies.
class Listener
{
public:
    explicit Listener(const std::string &path)
    {
        m_fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
        EXPECT_EQ(::bind(m_fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
        EXPECT_EQ(::listen(m_fd, 4), 0);
    }
    ~Listener()
    {
        if (m_thread.joinable())
            m_thread.join();
        ::close(m_fd);
    }

    // Accepts one client and sends it data in the pieces given; then closes, after the
    // client has closed when waitForClient.
    void sendPieces(std::vector<std::string> pieces, bool waitForClient)
    {
        m_thread = std::thread([this, pieces = std::move(pieces), waitForClient] {
            const int client = ::accept(m_fd, nullptr, nullptr);
            for (const std::string &piece : pieces) {
                ::send(client, piece.data(), piece.size(), MSG_NOSIGNAL);
                std::this_thread::sleep_for(100ms);
            }
            char buffer[256];
            while (waitForClient && ::recv(client, buffer, sizeof buffer, 0) > 0) {
            }
            ::close(client);
        });
    }

private:
    int m_fd = -1;
    std::thread m_thread;
};

TEST(RelayConnection, LinesArriveWholeWhateverTheirPieces)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("relay.socket").toStdString();
    Listener listener(path);
    listener.sendPieces({"{\"action\":\"ty", "pe\"}\n{\"done\"", ":true}\n\n"}, true);
    RelayConnection connection(path, "");
    ASSERT_TRUE(connection.ensureConnected(0ms));
    int idles = 0;
    EXPECT_EQ(connection.readLine(std::nullopt, [&idles] { ++idles; }), R"({"action":"type"})");
    EXPECT_EQ(connection.readLine(5s), R"({"done":true})");
    EXPECT_EQ(connection.readLine(5s), "");
    EXPECT_GT(idles, 0);
}

TEST(RelayConnection, AHalfLineWaitsUntilTheTimeoutOrThePeersEnd)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("relay.socket").toStdString();
    Listener waiting(path);
    waiting.sendPieces({"{\"action\""}, true);
    RelayConnection connection(path, "");
    ASSERT_TRUE(connection.ensureConnected(0ms));
    EXPECT_FALSE(connection.readLine(200ms));
    EXPECT_TRUE(connection.isConnected());
    connection.close();

    const std::string otherPath = dir.filePath("other.socket").toStdString();
    Listener leaving(otherPath);
    leaving.sendPieces({"{\"action\""}, false);
    RelayConnection other(otherPath, "");
    ASSERT_TRUE(other.ensureConnected(0ms));
    EXPECT_FALSE(other.readLine(std::nullopt));
    EXPECT_FALSE(other.isConnected());
    EXPECT_FALSE(other.sendLine("after the end"));
}

TEST(RelayConnection, StartsOurProcessWhenNothingListens)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("relay.socket").toStdString();
    const std::string started = dir.filePath("started").toStdString();
    const std::string program = dir.filePath("officehost").toStdString();
    {
        // Stands for `officehost --serve SOCKET`: records its arguments, then listens, for a
        // minute at most, so that it ends also when the test fails before connecting.
        std::ofstream script(program);
        script << "#!/usr/bin/python3\n"
                  "import socket, sys, time\n"
                  "open('"
               << started
               << "', 'w').write(' '.join(sys.argv[1:]))\n"
                  "s = socket.socket(socket.AF_UNIX); s.bind(sys.argv[2]); s.listen()\n"
                  "s.settimeout(60)\n"
                  "c, _ = s.accept(); c.sendall(b'ready\\n'); c.recv(10)\n";
    }
    ::chmod(program.c_str(), 0755);
    RelayConnection connection(path, program);
    ASSERT_TRUE(connection.ensureConnected(10s));
    EXPECT_EQ(connection.readLine(10s), "ready");
    std::ifstream arguments(started);
    std::string line;
    std::getline(arguments, line);
    EXPECT_EQ(line, "--serve " + path);
}

TEST(RelayConnection, GivesUpWhenNoProcessComesAndDoesNotWaitAgainAtOnce)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("relay.socket").toStdString();
    EXPECT_FALSE(RelayConnection(path, "").ensureConnected(200ms));
    EXPECT_FALSE(RelayConnection(path, dir.filePath("missing").toStdString()).ensureConnected(10s));
    RelayConnection broken(path, "/bin/true");
    EXPECT_FALSE(broken.ensureConnected(300ms));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(broken.ensureConnected(10s));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    // A path longer than a socket address can hold is refused, not cut short.
    EXPECT_FALSE(
        RelayConnection(dir.filePath(QString(200, u'x')).toStdString(), "").ensureConnected(0ms));
}

// Every kind of folder refused is tried at our process's end (relay_test): here the
// extension's end is seen to refuse, log and start nothing.
TEST(RelayConnection, ASocketOthersCouldTakeIsNeitherUsedNorServed)
{
    QTemporaryDir dir;
    const auto at = [&dir](const char *name) { return dir.filePath(name).toStdString(); };
    // Stands for our process: any start leaves its mark.
    const std::string program = at("officehost");
    {
        std::ofstream script(program);
        script << "#!/bin/sh\ntouch '" << at("started") << "'\n";
    }
    ::chmod(program.c_str(), 0755);
    ::mkdir(at("open").c_str(), 0700);
    ::chmod(at("open").c_str(), 0777);
    ::mkdir(at("private").c_str(), 0700);
    ::symlink(at("private").c_str(), at("link").c_str());
    for (const std::string &path : {at("open") + "/relay.socket", at("link") + "/relay.socket"}) {
        // Something listens there, but the extension does not speak to it.
        Listener listening(path);
        RelayConnection connection(path, program);
        EXPECT_FALSE(connection.ensureConnected(300ms)) << path;
        EXPECT_FALSE(connection.isConnected()) << path;
        EXPECT_NE(connection.problem().find(relaysocket::folderOf(path)), std::string::npos)
            << path << ": " << connection.problem();
    }
    EXPECT_FALSE(std::ifstream(at("started"))) << "our process was started";

    // A missing folder is made, for this user alone, and then used.
    const std::string made = at("made") + "/relay.socket";
    RelayConnection connection(made, "");
    EXPECT_FALSE(connection.ensureConnected(0ms));
    EXPECT_EQ(connection.problem(), "");
    struct stat status {
    };
    ASSERT_EQ(::lstat(at("made").c_str(), &status), 0);
    EXPECT_TRUE(S_ISDIR(status.st_mode));
    EXPECT_EQ(status.st_mode & 07777, 0700u);
    Listener listener(made);
    listener.sendPieces({"ready\n"}, false);
    ASSERT_TRUE(connection.ensureConnected(0ms)) << connection.problem();
    EXPECT_EQ(connection.readLine(5s), "ready");
}

} // namespace

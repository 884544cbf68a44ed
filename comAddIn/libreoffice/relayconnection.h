#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

// The extension's one connection to our process over a local socket: made on first use,
// starting our process when nothing listens, and kept open.
namespace relay
{

// $MURVEL_ADDIN_SOCKET, else $XDG_RUNTIME_DIR/murvel-addins.socket, else
// /tmp/murvel-addins-<uid>/murvel-addins.socket. Whichever it is, its folder must be this
// user's alone (see relaysocket::claimSocketFolder).
std::string relaySocketPath();

// $MURVEL_OFFICEHOST, else builtIn (the officehost of the build that made the extension).
std::string officehostProgram(const std::string &builtIn);

class RelayConnection
{
public:
    RelayConnection(std::string socketPath, std::string program);
    ~RelayConnection();
    RelayConnection(const RelayConnection &) = delete;
    RelayConnection &operator=(const RelayConnection &) = delete;

    bool isConnected() const { return m_socket >= 0; }

    // Connects unless connected. When nothing listens, starts `program --serve socketPath`
    // detached and retries for up to startWait. False when no connection came; after a
    // start that brought none, the program is not started again for a while, so that a
    // missing or broken program does not hold up every window of the office. Nothing is
    // connected or started when the socket's folder is not this user's alone, and a peer
    // that runs as another user is left at once: problem() then says why.
    bool ensureConnected(std::chrono::milliseconds startWait = std::chrono::seconds(10));
    // Why the last ensureConnected() refused the socket; empty when it did not.
    const std::string &problem() const { return m_problem; }

    // Sends one line ("\n" added). False, and the connection closed, when it breaks.
    bool sendLine(const std::string &line);

    // The next line without its "\n". While waiting, idle() runs every few tens of
    // milliseconds (when given); nothing when the connection ends or timeout passes
    // (no timeout: wait for as long as the connection lasts).
    std::optional<std::string> readLine(std::optional<std::chrono::milliseconds> timeout,
                                        const std::function<void()> &idle = {});

    void close();

private:
    enum class Attempt { Connected, NothingListens, Refused };
    Attempt tryConnect();
    bool startProgram() const;

    std::string m_socketPath;
    std::string m_program;
    int m_socket = -1;
    std::string m_received;
    std::string m_problem;
    std::optional<std::chrono::steady_clock::time_point> m_failedStart;
};

} // namespace relay

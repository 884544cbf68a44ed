#include "comAddIn/libreoffice/relayconnection.h"

#include "comAddIn/relaysocket/privatesocket.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace relay
{

std::string relaySocketPath()
{
    if (const char *socket = std::getenv("MURVEL_ADDIN_SOCKET"); socket && *socket)
        return socket;
    if (const char *runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        return std::string(runtime) + "/murvel-addins.socket";
    // The shared /tmp: in a folder of this user's own, which no one else can take.
    return "/tmp/murvel-addins-" + std::to_string(getuid()) + "/murvel-addins.socket";
}

namespace
{

std::string folderRefusal(const std::string &socketPath, relaysocket::FolderProblem problem)
{
    using relaysocket::FolderProblem;
    const std::string folder = relaysocket::folderOf(socketPath);
    switch (problem) {
    case FolderProblem::None:
        break;
    case FolderProblem::CannotMake:
        return "the socket's folder " + folder + " cannot be made";
    case FolderProblem::NotAFolder:
        return "the socket's folder " + folder + " is not a folder (a link is refused)";
    case FolderProblem::OtherOwner:
        return "the socket's folder " + folder + " belongs to another user";
    case FolderProblem::OpenToOthers:
        return "the socket's folder " + folder + " is open to other users";
    }
    return {};
}

} // namespace

std::string officehostProgram(const std::string &builtIn)
{
    if (const char *program = std::getenv("MURVEL_OFFICEHOST"); program && *program)
        return program;
    return builtIn;
}

RelayConnection::RelayConnection(std::string socketPath, std::string program)
    : m_socketPath(std::move(socketPath)), m_program(std::move(program))
{
}

RelayConnection::~RelayConnection()
{
    close();
}

void RelayConnection::close()
{
    if (m_socket >= 0)
        ::close(m_socket);
    m_socket = -1;
    m_received.clear();
}

RelayConnection::Attempt RelayConnection::tryConnect()
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (m_socketPath.size() >= sizeof address.sun_path)
        return Attempt::NothingListens;
    std::memcpy(address.sun_path, m_socketPath.c_str(), m_socketPath.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return Attempt::NothingListens;
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        ::close(fd);
        return Attempt::NothingListens;
    }
    // Whatever listens there would be obeyed: only a process of this user's.
    if (!relaysocket::peerRunsAs(fd, ::getuid())) {
        ::close(fd);
        m_problem = "the process at " + m_socketPath + " runs as another user";
        return Attempt::Refused;
    }
    m_socket = fd;
    return Attempt::Connected;
}

// Started twice removed (the middle child exits at once), in a session of its own, so
// that our process outlives nothing it should not and leaves no zombie in the office.
bool RelayConnection::startProgram() const
{
    if (m_program.empty() || ::access(m_program.c_str(), X_OK) != 0)
        return false;
    std::vector<std::string> arguments{m_program, "--serve", m_socketPath};
    std::vector<char *> argv;
    for (std::string &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    const pid_t child = ::fork();
    if (child < 0)
        return false;
    if (child == 0) {
        // Only async-signal-safe calls between fork and exec: the office has threads.
        ::setsid();
        if (::fork() != 0)
            ::_exit(0);
        const int null = ::open("/dev/null", O_RDONLY);
        if (null >= 0)
            ::dup2(null, 0);
        ::close_range(3, ~0U, 0);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return true;
}

bool RelayConnection::ensureConnected(std::chrono::milliseconds startWait)
{
    using std::chrono::steady_clock;
    if (isConnected())
        return true;
    m_problem =
        folderRefusal(m_socketPath, relaysocket::claimSocketFolder(m_socketPath, ::getuid()));
    if (!m_problem.empty())
        return false;
    if (const Attempt attempt = tryConnect(); attempt != Attempt::NothingListens)
        return attempt == Attempt::Connected;
    constexpr std::chrono::seconds pauseAfterFailedStart(30);
    if (m_failedStart && steady_clock::now() - *m_failedStart < pauseAfterFailedStart)
        return false;
    if (startProgram()) {
        const auto deadline = steady_clock::now() + startWait;
        while (steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            if (const Attempt attempt = tryConnect(); attempt != Attempt::NothingListens) {
                m_failedStart.reset();
                return attempt == Attempt::Connected;
            }
        }
    }
    m_failedStart = steady_clock::now();
    return false;
}

bool RelayConnection::sendLine(const std::string &line)
{
    if (!isConnected())
        return false;
    const std::string data = line + '\n';
    std::size_t sent = 0;
    while (sent < data.size()) {
        // MSG_NOSIGNAL: a peer that has gone must not end the office with SIGPIPE.
        const ssize_t n = ::send(m_socket, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            close();
            return false;
        }
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

std::optional<std::string>
RelayConnection::readLine(std::optional<std::chrono::milliseconds> timeout,
                          const std::function<void()> &idle)
{
    using namespace std::chrono;
    const auto start = steady_clock::now();
    while (isConnected()) {
        if (const std::size_t end = m_received.find('\n'); end != std::string::npos) {
            std::string line = m_received.substr(0, end);
            m_received.erase(0, end + 1);
            return line;
        }
        if (timeout && steady_clock::now() - start >= *timeout)
            return std::nullopt;
        pollfd ready{m_socket, POLLIN, 0};
        const int polled = ::poll(&ready, 1, 40);
        if (polled < 0 && errno != EINTR) {
            close();
            break;
        }
        if (polled <= 0) {
            if (idle)
                idle();
            continue;
        }
        char buffer[4096];
        const ssize_t n = ::recv(m_socket, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            close();
            break;
        }
        m_received.append(buffer, static_cast<std::size_t>(n));
    }
    return std::nullopt;
}

} // namespace relay

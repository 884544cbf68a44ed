#include "comAddIn/libreoffice/relayclient.h"

#include "comAddIn/libreoffice/barmirror.h"
#include "comAddIn/libreoffice/documentactions.h"
#include "comAddIn/libreoffice/extensionwatcher.h"
#include "comAddIn/libreoffice/unotext.h"
#include "platform/office/host/hosttable.h"

#include <algorithm>
#include <com/sun/star/awt/Toolkit.hpp>
#include <com/sun/star/awt/XToolkitExperimental.hpp>
#include <com/sun/star/uno/Exception.hpp>
#include <thread>
#include <unistd.h>

using namespace css;

namespace lohost
{

namespace
{

// How long a reply that needs no user (the bars, a disconnection) may take.
constexpr std::chrono::seconds replyWait(30);

// The office's user-interface thread is the process's first thread.
bool onUserInterfaceThread()
{
    return gettid() == getpid();
}

} // namespace

RelayClient &RelayClient::instance()
{
    static RelayClient client;
    return client;
}

RelayClient::RelayClient()
    : m_connection(relay::relaySocketPath(), relay::officehostProgram(MURVEL_BUILT_OFFICEHOST))
{
}

bool RelayClient::tryBegin()
{
    std::lock_guard lock(m_stateLock);
    if (m_busy)
        return false;
    m_busy = true;
    return true;
}

void RelayClient::end()
{
    std::lock_guard lock(m_stateLock);
    m_busy = false;
}

// Sends a request, starting our process when needed; a process that has ended since the
// last request is started again once.
bool RelayClient::send(const std::string &request)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!m_connection.ensureConnected())
            break;
        if (m_connection.sendLine(request))
            return true;
    }
    const std::string &refused = m_connection.problem();
    logProblem(refused.empty() ? "our process cannot be reached at " + relay::relaySocketPath()
                               : refused);
    return false;
}

// Reads the lines of a request up to its "done", handing each action to act. A timeout
// leaves the conversation out of step, so the connection is closed then.
std::optional<relay::Done>
RelayClient::awaitDone(const std::function<void(const relay::Action &)> &act,
                       std::optional<std::chrono::milliseconds> timeout,
                       const std::function<void()> &idle)
{
    while (const std::optional<std::string> line = m_connection.readLine(timeout, idle)) {
        const relay::ReplyLine reply = relay::parseReplyLine(*line);
        if (const auto *done = std::get_if<relay::Done>(&reply))
            return *done;
        if (const auto *action = std::get_if<relay::Action>(&reply))
            act(*action);
    }
    m_connection.close();
    return std::nullopt;
}

void RelayClient::mirrorHost(const Context &context, const std::string &host)
{
    if (!send(relay::barsRequest(host)))
        return;
    const std::optional<std::string> line = m_connection.readLine(replyWait);
    const std::optional<std::vector<relay::Bar>> bars =
        line ? relay::parseBarsReply(*line) : std::nullopt;
    if (!bars) {
        logProblem("no bars came for " + host);
        m_connection.close();
        return;
    }
    std::vector<OUString> modules;
    {
        std::lock_guard lock(m_stateLock);
        for (const Placement &placement : m_placements) {
            if (placement.host == host)
                modules.push_back(placement.moduleId);
        }
    }
    for (const OUString &module : modules) {
        try {
            mirrorBars(context, module, *bars);
        } catch (const uno::Exception &failure) {
            logProblem("the bars of " + host + " cannot be shown: " + utf8(failure.Message));
        }
    }
}

// Asks for the bars of the hosts whose windows appeared, unless a request runs: the one
// that runs then serves them when it ends.
void RelayClient::serveWaitingHosts(const Context &context)
{
    for (;;) {
        if (!tryBegin())
            return;
        for (;;) {
            std::vector<std::string> hosts;
            {
                std::lock_guard lock(m_stateLock);
                hosts.swap(m_waitingHosts);
            }
            if (hosts.empty())
                break;
            std::sort(hosts.begin(), hosts.end());
            hosts.erase(std::unique(hosts.begin(), hosts.end()), hosts.end());
            for (const std::string &host : hosts)
                mirrorHost(context, host);
        }
        end();
        // A host that came between the last look and the end is served by the next round.
        std::lock_guard lock(m_stateLock);
        if (m_waitingHosts.empty())
            return;
    }
}

void RelayClient::frameAppeared(const Context &context, const Frame &frame)
{
    const std::string host = hostOfFrame(context, frame);
    if (host.empty())
        return;
    const Placement placement{host, moduleOfFrame(context, frame)};
    bool watch = false;
    {
        std::lock_guard lock(m_stateLock);
        if (std::find(m_placements.begin(), m_placements.end(), placement) == m_placements.end())
            m_placements.push_back(placement);
        m_waitingHosts.push_back(host);
        watch = !std::exchange(m_watching, true);
    }
    if (watch)
        ExtensionWatcher::start(context);
    serveWaitingHosts(context);
}

bool RelayClient::carryOut(const Context &context, const Frame &frame, const relay::Action &action,
                           ClickRun &run)
{
    switch (action.kind) {
    case relay::Action::Kind::Lock:
        if (!run.lock)
            run.lock.emplace(frame);
        break;
    case relay::Action::Kind::Type:
        typeAtCaret(context, frame, unoText(action.text), unoText(action.font));
        break;
    case relay::Action::Kind::Status:
        m_statusTexts.show(frame, unoText(action.text));
        break;
    case relay::Action::Kind::Store: {
        const std::string failure = storeDocument(frame);
        return m_connection.sendLine(relay::storeReply(failure.empty(), failure));
    }
    case relay::Action::Kind::Reload:
        reloadDocument(context, frame);
        m_statusTexts.renew(frame);
        break;
    case relay::Action::Kind::Open:
        if (const Frame opened = openInNewWindow(context, action.text, action.readOnly);
            opened.is())
            run.opened.push_back(opened);
        break;
    }
    return true;
}

void RelayClient::click(const Context &context, const Frame &frame, const std::string &tag)
{
    const std::string host = hostOfFrame(context, frame);
    if (host.empty())
        return;
    if (!tryBegin()) {
        logProblem("a click on " + tag + " came while another request ran; it is dropped");
        return;
    }
    // The toolbars the user shows stay shown after a reload and in the windows opened.
    const std::vector<OUString> toolbarsShown = shownMirroredToolbars(frame);
    ClickRun run;
    if (send(relay::clickRequest(host, tag, documentStateOf(frame)))) {
        // A conversion can wait for the user (the chooser): the office keeps drawing.
        std::function<void()> idle;
        if (onUserInterfaceThread()) {
            const uno::Reference<awt::XToolkitExperimental> toolkit(awt::Toolkit::create(context),
                                                                    uno::UNO_QUERY);
            if (toolkit.is())
                idle = [toolkit] { toolkit->processEventsToIdle(); };
        }
        const auto act = [&](const relay::Action &action) {
            try {
                carryOut(context, frame, action, run);
            } catch (const uno::Exception &failure) {
                logProblem("an action of " + tag + " failed: " + utf8(failure.Message));
            }
        };
        const std::optional<relay::Done> done = awaitDone(act, std::nullopt, idle);
        run.lock.reset();
        m_statusTexts.release(context, frame);
        if (done && !done->ok)
            logProblem(tag + ": " + done->message);
        if (done && done->barsChanged)
            mirrorHost(context, host);
    }
    end();
    serveWaitingHosts(context);
    run.opened.push_back(frame);
    for (const Frame &window : run.opened) {
        try {
            showToolbars(context, moduleOfFrame(context, window), window, toolbarsShown);
        } catch (const uno::Exception &failure) {
            logProblem("the toolbars cannot be shown again: " + utf8(failure.Message));
        }
    }
}

void RelayClient::extensionGone(const Context &context)
{
    // Waits for a running request to end; one that never ends does not keep the bars.
    bool begun = false;
    for (int i = 0; i < 200 && !(begun = tryBegin()); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::vector<Placement> placements;
    {
        std::lock_guard lock(m_stateLock);
        placements.swap(m_placements);
        m_waitingHosts.clear();
    }
    std::vector<std::string> hosts;
    for (const Placement &placement : placements) {
        if (std::find(hosts.begin(), hosts.end(), placement.host) == hosts.end())
            hosts.push_back(placement.host);
    }
    if (begun && m_connection.isConnected()) {
        for (const std::string &host : hosts) {
            if (m_connection.sendLine(relay::disconnectRequest(host)))
                awaitDone([](const relay::Action &) {}, replyWait);
        }
    }
    // Every module, also one whose windows were all closed before: its profile keeps the bars.
    for (const office::HostIdentity &host : office::kHostTable) {
        try {
            removeMirroredBars(context, unoText(std::string(host.libreOfficeModule)));
        } catch (const uno::Exception &failure) {
            logProblem("the mirrored bars cannot be removed: " + utf8(failure.Message));
        }
    }
    if (begun) {
        // Our process ends once no office is connected.
        m_connection.close();
        end();
    }
}

} // namespace lohost

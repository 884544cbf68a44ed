#pragma once

#include "comAddIn/libreoffice/framelock.h"
#include "comAddIn/libreoffice/relayconnection.h"
#include "comAddIn/libreoffice/relayprotocol.h"
#include "comAddIn/libreoffice/statustexts.h"

#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <mutex>
#include <vector>

// The extension's side of the relay, one per office process: it asks our process for
// the bars of each host whose document appears and mirrors them, relays clicks and
// carries out the actions they bring back. Requests go strictly one at a time: a window
// that appears while another request runs (the copy a click opened) has its bars asked
// for once that request has ended, and a second click meanwhile is dropped.
namespace lohost
{

class RelayClient
{
public:
    using Context = css::uno::Reference<css::uno::XComponentContext>;
    using Frame = css::uno::Reference<css::frame::XFrame>;

    static RelayClient &instance();

    // A view of a document has been made in the frame.
    void frameAppeared(const Context &context, const Frame &frame);
    // A control was clicked in the frame.
    void click(const Context &context, const Frame &frame, const std::string &tag);
    // The extension has been removed or disabled: the add-ins of every host are
    // disconnected and what was mirrored of them goes.
    void extensionGone(const Context &context);

private:
    RelayClient();

    // The modules that show the bars of a host.
    struct Placement {
        std::string host;
        OUString moduleId;
        bool operator==(const Placement &) const = default;
    };

    bool tryBegin();
    void end();
    bool send(const std::string &request);
    std::optional<relay::Done> awaitDone(const std::function<void(const relay::Action &)> &act,
                                         std::optional<std::chrono::milliseconds> timeout,
                                         const std::function<void()> &idle = {});
    void mirrorHost(const Context &context, const std::string &host);
    void serveWaitingHosts(const Context &context);
    // What a click has done so far to the office's windows.
    struct ClickRun {
        std::optional<FrameLock> lock; // once our process reads the document
        std::vector<Frame> opened;     // the windows it opened
    };
    bool carryOut(const Context &context, const Frame &frame, const relay::Action &action,
                  ClickRun &run);

    std::mutex m_stateLock; // guards the members below
    bool m_busy = false;    // a request runs
    std::vector<Placement> m_placements;
    std::vector<std::string> m_waitingHosts; // appeared while a request ran
    bool m_watching = false;
    relay::RelayConnection m_connection;
    StatusTexts m_statusTexts;
};

} // namespace lohost

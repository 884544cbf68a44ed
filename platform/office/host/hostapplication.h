#pragma once

#include "platform/common/result.h"
#include "platform/office/host/commandbars.h"
#include "platform/office/host/hosttable.h"
#include "platform/system/waitcursor.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace office
{

// A text of the host table as a Qt string.
inline QString hostText(std::string_view ascii)
{
    return QString::fromLatin1(ascii.data(), qsizetype(ascii.size()));
}
inline QString hostName(HostKind kind)
{
    return hostText(hostIdentity(kind).name);
}
// A lookup of the host table by a Qt string.
inline const HostIdentity *lookUpHost(const HostIdentity *(*lookUp)(std::string_view),
                                      const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    return lookUp(std::string_view(utf8.constData(), std::size_t(utf8.size())));
}
inline const HostIdentity *hostNamed(const QString &name)
{
    return lookUpHost(hostNamed, name);
}
inline const HostIdentity *hostOpening(const QString &lowerSuffix)
{
    return lookUpHost(hostOpening, lowerSuffix);
}

// A window of a host that keeps its command bars per window ("Outlook"): the add-ins take
// the bars of its active explorer.
class Explorer
{
public:
    virtual ~Explorer() = default;
    virtual std::shared_ptr<CommandBars> commandBars() const = 0;
};

// What the add-ins use of every host's Application object: its name (how they tell the
// hosts apart), the screen-updating switch, the status-bar text, the host's pointer and
// typing at the caret.
// Each host's Application derives from it; the host program shows the values.
class HostApplication
{
public:
    // The host pointer's shapes, numbered as the hosts number them.
    enum class Cursor { Wait = 0, Normal = 2 };

    virtual ~HostApplication() = default;

    // The host's name in the host table, "Microsoft Word", ...
    virtual QString name() const = 0;

    bool screenUpdating() const { return m_screenUpdating; }
    virtual void setScreenUpdating(bool on) { m_screenUpdating = on; }

    bool displayStatusBar() const { return m_displayStatusBar; }
    virtual void setDisplayStatusBar(bool on) { m_displayStatusBar = on; }
    QString statusBar() const { return m_statusBar; }
    virtual void setStatusBar(const QString &text) { m_statusBar = text; }
    // An add-in's click that failed: its message shows in the status bar, and the failure
    // is kept for whoever made the click until takeClickFailure().
    void reportClickFailure(const QString &message)
    {
        setStatusBar(message);
        m_clickFailure = message;
    }
    // The failure reported since the last call, forgotten now; empty when none.
    QString takeClickFailure() { return std::exchange(m_clickFailure, QString()); }

    // The application's command bars; nullptr for a host that keeps them per window.
    std::shared_ptr<CommandBars> commandBars() const { return m_commandBars; }
    void setCommandBars(std::shared_ptr<CommandBars> bars) { m_commandBars = std::move(bars); }
    // The active explorer window of a host named "Outlook"; nullptr elsewhere. Owned by the host.
    virtual Explorer *activeExplorer() const { return nullptr; }

    // The wait shape stays until the pointer is set back to Normal (or the host goes).
    Cursor cursor() const { return m_wait ? Cursor::Wait : Cursor::Normal; }
    void setCursor(Cursor shape);

    // Types the text at the caret of the active document as the user's typing would: over
    // the selection, caret after the text (Excel: pasted into the selected cell).
    platform::Result<bool> typeAtCaret(const QString &text);
    // A host whose caret is elsewhere (another program's window) takes the text instead.
    void setCaretSink(std::function<void(const QString &)> sink) { m_caretSink = std::move(sink); }

    // A host whose document lives in another program opens it only when an add-in asks
    // for it: `open` runs once, at the first request for the host's documents after this
    // call, before that request is answered. An empty function withdraws it.
    void setDocumentOpener(std::function<void()> open) { m_documentOpener = std::move(open); }

protected:
    HostApplication() = default;
    HostApplication(const HostApplication &) = delete;
    HostApplication &operator=(const HostApplication &) = delete;

    // Each host model's typing; a failure, changing nothing, when no document is open.
    virtual platform::Result<bool> typeIntoActiveDocument(const QString &text) = 0;
    static platform::Result<bool> noDocumentOpen();

    // Each host model calls it where an add-in asks for its open or active documents.
    void documentsRequested();

private:
    bool m_screenUpdating = true;
    bool m_displayStatusBar = true;
    QString m_statusBar;
    QString m_clickFailure;
    std::shared_ptr<CommandBars> m_commandBars;
    std::optional<sys::WaitCursor> m_wait;
    std::function<void(const QString &)> m_caretSink;
    std::function<void()> m_documentOpener;
};

} // namespace office

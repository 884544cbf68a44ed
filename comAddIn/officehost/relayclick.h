#pragma once

#include "platform/common/result.h"
#include "platform/office/host/filewriteguard.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace office
{
class CommandBarControl;
class HostApplication;
} // namespace office

namespace officehost
{

class HostSession;
class RelayPeer;

// The document the user clicked in, as the other program has it.
struct ClickedDocument {
    QString path; // absolute; empty for a document never saved
    bool modified = false;
    quintptr window = 0; // the window system's id of the window showing it; 0 when unknown
};

// One click made in another program, where the user works on a document, and run on a
// host session of ours that has no document open. The session opens the document only
// when the add-in asks for it (a conversion): the peer stores it first when it holds
// changes, and the session opens it from its file. Afterwards the peer reloads the file
// when the click changed it and opens each document the click opened (the preview copy);
// the session closes them all again. Status texts go to the peer as the add-in sets them,
// and what the add-in types at the caret goes to the peer's caret. The peer locks the
// document before it is stored and read, and the session never writes over the file once
// the peer's program has changed it (FileWriteGuard): the file stays as the user saved it.
class RelayClick
{
public:
    // Both outlive this object.
    RelayClick(HostSession &session, RelayPeer &peer, ClickedDocument document);
    ~RelayClick();
    RelayClick(const RelayClick &) = delete;
    RelayClick &operator=(const RelayClick &) = delete;

    // Clicks the control of the session's command bars. A failure says what the user must
    // know: the document could not be given to the add-in (never saved, of a kind the host
    // does not read, not stored), or what the click changed could not be written.
    platform::Result<bool> run(office::CommandBarControl &control);

private:
    platform::Result<bool> openDocument();
    platform::Result<bool> store();
    // Writes what the click left unsaved and tells the peer what to reload and open.
    platform::Result<bool> returnDocuments();
    void closeDocuments();
    void sendStatus();

    HostSession &m_session;
    office::HostApplication &m_application;
    RelayPeer &m_peer;
    const ClickedDocument m_document;
    // The add-in's request for the document, once it came; true before.
    platform::Result<bool> m_opened = true;
    QString m_openedPath;                          // of the document once it is open in the session
    std::optional<office::FileWriteGuard> m_guard; // of that file while it is open
    QString m_statusSent;
};

} // namespace officehost

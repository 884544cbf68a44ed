#include "comAddIn/officehost/relayclick.h"

#include "comAddIn/officehost/hostsession.h"
#include "comAddIn/officehost/relaypeer.h"
#include "comAddIn/relay/wireformat.h"
#include "platform/fonts/componenttypeface.h"
#include "platform/office/host/commandbars.h"
#include "platform/office/host/hostapplication.h"

#include <QFileInfo>
#include <QTimer>

namespace officehost
{

namespace
{

using Done = platform::Result<bool>;
using namespace relay::wire;
using Key = QLatin1String;

// How often a status text the add-in set while it lets events run goes out.
constexpr int kStatusInterval = 50; // ms

// The status text when the user's program changed the file while the click ran.
const QString kChangedElsewhere = u"文件在轉換時已被更改，原始文件沒有寫回"_qs;

bool sameFile(const QString &a, const QString &b)
{
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

QJsonObject actionMessage(const char *name)
{
    return QJsonObject{{Key(kAction), Key(name)}};
}

} // namespace

RelayClick::RelayClick(HostSession &session, RelayPeer &peer, ClickedDocument document)
    : m_session(session), m_application(session.application()), m_peer(peer),
      m_document(std::move(document))
{
    m_application.setDocumentOpener([this] { m_opened = openDocument(); });
    // The caret is in the other program's window: what the add-in types goes there, in the
    // component typeface, which the other program would not pick for these codes itself.
    m_application.setCaretSink([this](const QString &text) {
        QJsonObject type = actionMessage(action::kType);
        type.insert(Key(kText), text);
        type.insert(Key(kFont), fonts::componentFamily(fonts::TypefaceStyle::Ming));
        m_peer.send(type);
    });
}

RelayClick::~RelayClick()
{
    m_application.setDocumentOpener(nullptr);
    m_application.setCaretSink(nullptr);
    closeDocuments();
}

Done RelayClick::run(office::CommandBarControl &control)
{
    m_statusSent = m_application.statusBar();
    QTimer statusTimer;
    QObject::connect(&statusTimer, &QTimer::timeout, [this] { sendStatus(); });
    statusTimer.start(kStatusInterval);
    m_application.takeClickFailure();
    control.click();
    statusTimer.stop();
    sendStatus();
    m_application.setDocumentOpener(nullptr);
    if (!m_opened.ok())
        return m_opened;
    const Done returned = m_openedPath.isEmpty() ? Done(true) : returnDocuments();
    // A failure the add-in reported in the status bar fails the request too.
    if (const QString failure = m_application.takeClickFailure();
        returned.ok() && !failure.isEmpty())
        return Done::failure(failure);
    return returned;
}

Done RelayClick::openDocument()
{
    const QString host = m_application.name();
    const QString &path = m_document.path;
    if (path.isEmpty() || !QFileInfo(path).isAbsolute() || HostSession::hostNameFor(path) != host)
        return Done::failure(
            u"請先把文件另存為 .%1 檔，再執行這個命令"_qs.arg(HostSession::fileSuffixFor(host)));
    m_peer.send(actionMessage(action::kLock));
    if (m_document.modified) {
        if (Done stored = store(); !stored.ok())
            return stored;
    }
    m_guard.emplace(path);
    if (Done opened = m_session.openFile(path); !opened.ok())
        return opened;
    m_openedPath = path;
    return true;
}

Done RelayClick::store()
{
    const platform::Result<QJsonObject> reply = m_peer.ask(actionMessage(action::kStore));
    if (!reply.ok())
        return Done::failure(u"文件沒有儲存，命令沒有執行：%1"_qs.arg(reply.errorString()));
    if (!reply->value(Key(kStored)).toBool()) {
        const QString why = reply->value(Key(kMessage)).toString();
        return Done::failure(u"文件沒有儲存，命令沒有執行：%1"_qs.arg(why));
    }
    return true;
}

Done RelayClick::returnDocuments()
{
    QStringList failures;
    QList<HostDocument *> opened;
    for (HostDocument *document : m_session.documents()) {
        const QString path = document->fullName();
        const bool isSource = sameFile(path, m_openedPath);
        // A source the user changed meanwhile was refused already, and stays refused.
        if (!document->saved() && !(isSource && m_guard->refusedWrite())) {
            if (Done saved = document->save(); !saved.ok())
                failures.append(saved.errorString());
        }
        if (!isSource && QFileInfo(path).isFile())
            opened.append(document);
    }
    if (m_guard->refusedWrite()) {
        m_application.setStatusBar(kChangedElsewhere);
        sendStatus();
    } else if (m_guard->fileChanged()) {
        m_peer.send(actionMessage(action::kReload));
    }
    // The last document opened is the one the user sees in front; a protected one opens
    // read-only, as the office program shows a protected document.
    for (HostDocument *document : std::as_const(opened)) {
        QJsonObject open = actionMessage(action::kOpen);
        open.insert(Key(kPath), QFileInfo(document->fullName()).absoluteFilePath());
        if (document->isProtected())
            open.insert(Key(kReadOnly), true);
        m_peer.send(open);
    }
    if (!failures.isEmpty())
        return Done::failure(failures.join(u'\n'));
    return true;
}

void RelayClick::closeDocuments()
{
    // The other program holds the documents: the session's copies would go stale.
    for (HostDocument *document : m_session.documents())
        m_session.close(*document);
}

void RelayClick::sendStatus()
{
    const QString text = m_application.statusBar();
    if (text == m_statusSent)
        return;
    m_statusSent = text;
    QJsonObject status = actionMessage(action::kStatus);
    status.insert(Key(kText), text);
    m_peer.send(status);
}

} // namespace officehost

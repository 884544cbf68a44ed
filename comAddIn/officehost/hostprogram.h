#pragma once

#include "platform/common/result.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <memory>

class QWidget;

namespace officehost
{

class AddInConnections;
class HostDocument;
class HostSession;
class HostWindow;

// The host program: one host with its registered add-ins connected, and a window for each
// document the host has open. The window the user brings forward holds the document the
// add-ins act on; a document an add-in opens (a conversion's preview copy) gets a window
// of its own, which comes forward when the click is done. While a click asks the user (the
// candidate chooser), the window of the document being worked on comes forward and shows
// the host's selection there.
class HostProgram : public QObject
{
    Q_OBJECT

public:
    HostProgram();
    // Closes the windows without asking, then disconnects every add-in (RemoveMode 0).
    ~HostProgram() override;

    // Opens the file. The first file starts the host of its kind and connects the add-ins
    // registered for it; a later file of the same kind opens in that host in a window of
    // its own (a file already open brings its window forward); a file of another kind
    // opens in another run of this program. A failure says why, and nothing changes.
    platform::Result<bool> openDocument(const QString &path);
    // Asks for a file and opens it, with a warning over parent when it cannot be opened.
    void openFromDialog(QWidget *parent);
    // Shows a window without a document, from which the user opens one; it closes when a
    // document opens.
    HostWindow *showEmptyWindow();

    HostSession *session() const { return m_session.get(); }
    AddInConnections *addIns() const { return m_addIns.get(); }
    // The open windows, in the order their documents were opened.
    QList<HostWindow *> windows() const;
    // The window of the host's active document; nullptr when none is open.
    HostWindow *activeWindow() const;

    // Closes every window, each asking to save its changes; stops at the first the user
    // keeps open.
    void closeAll();

    // Called by the windows: the user brought the window forward; a click from its command
    // bars begins or has been delivered; the window has closed.
    void windowActivated(HostWindow &window);
    void clickStarting(HostWindow &window);
    void clickFinished();
    void windowClosed(HostWindow &window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    HostWindow *windowOf(const HostDocument *document) const;
    HostWindow *windowOfFile(const QString &path) const;
    // Makes the window's document the host's active document.
    void activateDocumentOf(HostWindow &window);
    // Opens a window for each document the host has opened, closes those of documents it
    // has closed, and shows every document as it now is.
    void followSession();
    // While the question is open: the window of the document worked on comes forward,
    // with the question in front of it.
    void showWorkedOnDocument(QWidget *question);
    void bringWorkedOnDocumentForward();

    std::unique_ptr<HostSession> m_session;
    // The connections use the session's application: declared after it, they go first.
    std::unique_ptr<AddInConnections> m_addIns;
    // Every window made and not yet deleted, closed ones included: the program deletes
    // what is left of them when it goes.
    QList<QPointer<HostWindow>> m_windows;
    bool m_clicking = false;
    // The window to bring forward once the window system shows it, and the question to keep
    // in front of it.
    struct InFront {
        QPointer<HostWindow> window;
        QPointer<QWidget> question;
    } m_inFront;
};

} // namespace officehost

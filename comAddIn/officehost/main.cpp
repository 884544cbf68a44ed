// officehost [FILE]: opens a .docx, .xlsx, .pptx or .html document in the host of its kind
// with the registered add-ins connected.
// officehost --click TAG FILE: opens FILE, clicks the control tagged TAG as the user
// would, saves FILE and exits; what the click leaves in the status bar (an add-in's failure
// among it) is written out before the save's failure. The exit status is 1 when the file
// cannot be opened or the click fails (an add-in's failure in the status bar among it),
// 2 when the save fails; it exits without asking to save.
// officehost --serve SOCKET: serves the add-ins to the office program where the user writes,
// over the local socket SOCKET, with no window of its own; it ends when no client has been
// connected for 10 s, or on SIGTERM. The exit status is 1 when it cannot listen there.
#include "comAddIn/officehost/hostmessages.h"
#include "comAddIn/officehost/hostprogram.h"
#include "comAddIn/officehost/hostwindow.h"
#include "comAddIn/officehost/relayserver.h"
#include "comAddIn/officehost/terminationsignal.h"
#include "comAddIn/officehost/windowsinfront.h"
#include "platform/fonts/programfonts.h"
#include "platform/office/host/hostapplication.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

namespace
{

int usage()
{
    std::fputs("usage: officehost [FILE]\n"
               "       officehost --click TAG FILE\n"
               "       officehost --serve SOCKET\n",
               stderr);
    return 2;
}

void report(const QString &message)
{
    std::fprintf(stderr, "officehost: %s\n", qPrintable(message));
}

int serve(QApplication &app, const QString &socketPath)
{
    // The chooser and the messages come and go; the program stays for the next click.
    QApplication::setQuitOnLastWindowClosed(false);
    // Taken before the socket listens: a client may connect and end us at once, and the
    // socket is removed only at a normal end.
    officehost::TerminationSignal terminate;
    QObject::connect(&terminate, &officehost::TerminationSignal::received, &app,
                     &QCoreApplication::quit);
    officehost::RelayServer server;
    if (auto listening = server.listen(socketPath); !listening.ok()) {
        report(listening.errorString());
        return 1;
    }
    QObject::connect(&server, &officehost::RelayServer::idle, &app, &QCoreApplication::quit);
    officehost::WindowsInFront inFront;
    return app.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    fonts::registerProgramFonts(QCoreApplication::applicationDirPath());
    QStringList args = app.arguments().mid(1);
    if (!args.isEmpty() && args.first() == u"--serve")
        return args.size() == 2 ? serve(app, args.at(1)) : usage();
    QString clickTag;
    if (!args.isEmpty() && args.first() == u"--click") {
        if (args.size() != 3)
            return usage();
        clickTag = args.at(1);
        args = args.mid(2);
    }
    if (args.size() > 1 || (args.isEmpty() && !clickTag.isEmpty()))
        return usage();

    officehost::HostProgram program;
    if (args.isEmpty()) {
        program.showEmptyWindow();
        return app.exec();
    }
    if (auto opened = program.openDocument(args.first()); !opened.ok()) {
        if (!clickTag.isEmpty()) {
            report(opened.errorString());
            return 1;
        }
        officehost::showWarning(program.showEmptyWindow(), u"開啟"_qs, opened.errorString());
        return app.exec();
    }
    if (clickTag.isEmpty())
        return app.exec();

    officehost::HostWindow *window = program.windows().first();
    int status = 0;
    QTimer::singleShot(0, window, [&] {
        // The session's application outlives the documents a click may open or close.
        office::HostApplication &host = window->document()->application();
        const QString statusBefore = host.statusBar();
        host.takeClickFailure();
        const auto clicked = window->clickTag(clickTag);
        if (host.statusBar() != statusBefore)
            report(host.statusBar());
        // The add-in reports a failure of its own in the status bar, written out above.
        const bool addInFailed = !host.takeClickFailure().isEmpty();
        if (!clicked.ok()) {
            report(clicked.errorString());
            status = 1;
        } else if (addInFailed) {
            status = 1;
        } else if (auto saved = window->save(); !saved.ok()) {
            report(saved.errorString());
            status = 2;
        }
        // Not quit(): a window would ask to save what the click left unsaved, with no one
        // there to answer. The file stays as the click or its failed save left it.
        app.exit(status);
    });
    app.exec();
    return status;
}

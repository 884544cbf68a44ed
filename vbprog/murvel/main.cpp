// The main program: its main window does the whole start-up on the databases, settings and
// help in the program's own folder. The views are registered first, since start-up may
// reopen the last run's windows.

#include "platform/fonts/programfonts.h"
#include "platform/system/folders.h"
#include "vbprog/murvel/mainwindow/mdi漢字字形.h"
#include "vbprog/murvel/registerviews.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(MURVEL_VERSION));
    const QString folder = sys::programFolder();
    fonts::registerProgramFonts(folder);

    mdi漢字字形 window(folder);
    RegisterViews(window.childWindows());
    if (!window.startUp())
        return 1;
    return app.exec();
}

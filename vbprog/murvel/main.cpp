// The main program: its main window does the whole start-up on the databases, settings and
// help in the program's own folder. The views are registered first, since start-up may
// reopen the last run's windows.

#include "platform/fonts/programfonts.h"
#include "platform/system/folders.h"
#include "vbprog/murvel/mainwindow/mdi漢字字形.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"
#include "vbprog/murvel/refviews/frm字形演變.h"
#include "vbprog/murvel/refviews/frm字形索引.h"
#include "vbprog/murvel/views/frm字形孳乳.h"
#include "vbprog/murvel/views/frm字形結構.h"
#include "vbprog/murvel/views/frm異體字根.h"
#include "vbprog/murvel/views/frm異體字表.h"
#include "vbprog/murvel/views/frm部件範例.h"

#include <QApplication>

namespace
{

void registerViews(ChildWindows &windows)
{
    using namespace WindowKinds;
    windows.setFactory(FirstComponentList, LastComponentList, [] { return new frm部件範例; });
    windows.setFactory(Derivation, Derivation, [] { return new frm字形孳乳; });
    windows.setFactory(Structure, Structure, [] { return new frm字形結構; });
    windows.setFactory(VariantCharacters, VariantCharacters, [] { return new frm異體字表; });
    windows.setFactory(VariantComponents, VariantComponents, [] { return new frm異體字根; });
    windows.setFactory(Evolution, Evolution, [] { return new frm字形演變; });
    windows.setFactory(Index, Index, [] { return new frm字形索引; });
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(MURVEL_VERSION));
    const QString folder = sys::programFolder();
    fonts::registerProgramFonts(folder);

    mdi漢字字形 window(folder);
    registerViews(window.childWindows());
    if (!window.startUp())
        return 1;
    return app.exec();
}

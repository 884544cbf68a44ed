// addinreg [-u] LIBRARY: registers an add-in library (or with -u removes its
// registration) through its own exports, in the registry store.
#include "platform/office/host/addinlibrary.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool unregister = !args.isEmpty() && args.first() == u"-u";
    if (unregister)
        args.removeFirst();
    if (args.size() != 1) {
        std::fputs("usage: addinreg [-u] LIBRARY\n", stderr);
        return 2;
    }
    office::AddInLibrary library;
    if (!library.load(args.first())) {
        std::fprintf(stderr, "addinreg: %s\n", qPrintable(library.errorString()));
        return 1;
    }
    const int status = unregister ? library.unregisterServer() : library.registerServer();
    if (status != 0)
        std::fprintf(stderr, "addinreg: %s failed\n",
                     unregister ? "unregistration" : "registration");
    return status == 0 ? 0 : 1;
}

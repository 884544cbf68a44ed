// regset ROOT KEY NAME DATA: sets one string value in the registry store (the build uses
// it to record the build tree's programs). ROOT is HKLM or HKCU; an empty NAME is the
// key's default value.
#include "platform/registry/registrystore.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5 || (args[1] != u"HKLM" && args[1] != u"HKCU")) {
        std::fputs("usage: regset HKLM|HKCU KEY NAME DATA\n", stderr);
        return 2;
    }
    const registry::Root root =
        args[1] == u"HKLM" ? registry::Root::LocalMachine : registry::Root::CurrentUser;
    registry::RegistryStore store;
    if (!store.setValue(root, args[2], args[3], args[4])) {
        std::fprintf(stderr, "regset: %s\n", qPrintable(store.errorString()));
        return 1;
    }
    return 0;
}

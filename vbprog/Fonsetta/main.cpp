#include "platform/registry/registrystore.h"
#include "vbprog/Fonsetta/eudcfontlink.h"
#include "vbprog/Fonsetta/frmOstinel.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    registry::RegistryStore store;
    frmOstinel window(store, fonsetta::EudcFontLink::forCurrentUser());
    window.show();
    return app.exec();
}

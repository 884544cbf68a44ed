#include "platform/system/folders.h"
#include "vbprog/tallyq/frmpelqua.h"
#include "vbprog/toolkit/mainprogramdir.h"

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    tallyq::frmPelqua window(sys::windowsFolder(), toolkit::GetMainProgramDir(),
                             QStandardPaths::writableLocation(QStandardPaths::CacheLocation));
    window.show();
    return application.exec();
}

#include "vbprog/relmend/relmendwindow.h"
#include "vbprog/toolkit/mainprogramdir.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    relmend::RelmendWindow window(toolkit::settingsFilePath());
    window.show();
    return application.exec();
}

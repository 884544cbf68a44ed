// Dumvaro: converts old private-use characters in text, Word and PowerPoint files into
// composition formulas.

#include "vbprog/kavrot/kavrotwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    kavrot::KavrotWindow window;
    window.show();
    return app.exec();
}

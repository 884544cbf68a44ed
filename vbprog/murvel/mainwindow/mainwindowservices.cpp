#include "vbprog/murvel/mainwindow/mainwindowservices.h"

namespace
{

MainWindowServices *theServices = nullptr;

} // namespace

MainWindowServices *Services()
{
    return theServices;
}

void SetServices(MainWindowServices *services)
{
    theServices = services;
}

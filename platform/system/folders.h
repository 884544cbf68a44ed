#pragma once

#include <QString>

namespace sys
{

// The folder of the running executable, where a program finds its databases, settings
// file and help. Works before an application object exists.
QString programFolder();

// The folder that every program of the system shares for the missing-character log
// (usrhanzi.txt) and the temporary pictures (Temp/MurvelTempDir): $MURVEL_WINDOWS_DIR when
// set, else "murvel/windows" in the user's data folder. Created when missing.
QString windowsFolder();

} // namespace sys

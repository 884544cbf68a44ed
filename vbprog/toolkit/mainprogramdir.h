#pragma once

#include <QString>

// The main program's folder as the batch tools and the installer look it up: the one
// lookup of vbprog/murvel/core/mainprogrampath.h, in the registry store of this user.
namespace toolkit
{

// The folder with its trailing separator; empty when the main program is not recorded.
QString GetMainProgramDir();

// The settings file murvel.ini in the main program's folder; empty when the folder is
// unknown, so that no caller writes a settings file at the file system's root.
QString settingsFilePath();

} // namespace toolkit

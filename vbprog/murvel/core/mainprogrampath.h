#pragma once

#include <QString>
#include <QStringView>

namespace registry
{
class RegistryStore;
}

// Where the main program is installed, from the App Paths entry that the setup (or the
// build, for the build tree) writes: HKEY_LOCAL_MACHINE, default value of
// "software\microsoft\windows\currentversion\app paths\murvel.exe". The entry is read
// afresh on every call. Every form is empty when there is no entry or nothing is left
// once the file name is cut off: callers test for the empty result ("no folder").
namespace mainprogram
{

// The registry key of the App Paths entry, under HKEY_LOCAL_MACHINE.
inline constexpr char16_t kAppPathsKey[] =
    u"software\\microsoft\\windows\\currentversion\\app paths\\murvel.exe";

// The whole stored value: the full path of the main program.
QString MainProgramPath(const registry::RegistryStore &store);

// The folder with its trailing separator, to which callers append file names directly.
QString GetMainProgramDir(const registry::RegistryStore &store);

// The folder without its trailing separator.
QString GetMainProgramDirWithoutSeparator(const registry::RegistryStore &store);

// The folder part of a stored path: the path less its file name, counted rather than
// searched for. A path ending in "murvel.exe" loses those ten characters (so any name of
// that length yields its folder all the same); the build tree's "murvel" loses six.
// Empty when the path holds nothing more than the file name.
QString folderOf(QStringView mainProgramPath);

} // namespace mainprogram

#include "vbprog/murvel/core/mainprogrampath.h"

#include "platform/registry/registrystore.h"

#include <QStringView>

namespace mainprogram
{

namespace
{

// The main program's file name as a setup stores it, and the build tree's executable.
constexpr QStringView kStoredFileName = u"murvel.exe";
constexpr QStringView kExecutableName = u"murvel";

qsizetype fileNameLength(QStringView path)
{
    return path.endsWith(u"/murvel") ? kExecutableName.size() : kStoredFileName.size();
}

} // namespace

QString MainProgramPath(const registry::RegistryStore &store)
{
    QString path = store.value(registry::Root::LocalMachine, kAppPathsKey, u"").value_or(QString());
    // The text is what stands before the first NUL.
    const qsizetype nul = path.indexOf(QChar(u'\0'));
    if (nul >= 0)
        path.truncate(nul);
    return path;
}

QString folderOf(QStringView mainProgramPath)
{
    const qsizetype cut = fileNameLength(mainProgramPath);
    if (mainProgramPath.size() <= cut)
        return QString();
    return mainProgramPath.chopped(cut).toString();
}

QString GetMainProgramDir(const registry::RegistryStore &store)
{
    return folderOf(MainProgramPath(store));
}

QString GetMainProgramDirWithoutSeparator(const registry::RegistryStore &store)
{
    const QString folder = GetMainProgramDir(store);
    return folder.size() > 1 ? folder.chopped(1) : QString();
}

} // namespace mainprogram

#include "vbprog/toolkit/mainprogramdir.h"

#include "comAddIn/frame/mainprogrampath.h"
#include "platform/registry/registrystore.h"

namespace toolkit
{

QString GetMainProgramDir()
{
    return mainprogram::GetMainProgramDir(registry::RegistryStore());
}

QString settingsFilePath()
{
    const QString folder = GetMainProgramDir();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("murvel.ini");
}

} // namespace toolkit

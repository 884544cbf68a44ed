#include "vbprog/toolkit/mainprogramdir.h"

#include "platform/registry/registrystore.h"
#include "vbprog/murvel/core/mainprogrampath.h"

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

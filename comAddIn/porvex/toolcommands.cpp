#include "comAddIn/porvex/toolcommands.h"

#include "platform/registry/registrystore.h"
#include "platform/system/process.h"
#include "vbprog/murvel/core/mainprogrampath.h"

#include <QFileInfo>

namespace porvex
{

platform::Result<bool> StartMainProgram()
{
    const QString program = mainprogram::MainProgramPath(registry::RegistryStore());
    if (program.isEmpty())
        return true;
    if (!sys::startProcess(program, {}))
        return platform::Result<bool>::failure(u"無法啟動 %1"_qs.arg(program));
    return true;
}

platform::Result<bool> OpenMainProgramHelp()
{
    const QString folder = mainprogram::GetMainProgramDir(registry::RegistryStore());
    if (folder.isEmpty())
        return true;
    const QString help = folder + u"murvel.html"_qs;
    if (!sys::openHelpFile(help))
        return platform::Result<bool>::failure(u"無法開啟說明檔 %1"_qs.arg(help));
    return true;
}

} // namespace porvex

#include "comAddIn/porvex/hostcontext.h"

#include "comAddIn/porvex/messagebox.h"
#include "platform/registry/registrystore.h"
#include "platform/system/folders.h"
#include "vbprog/murvel/core/mainprogrampath.h"

namespace porvex
{

ConversionContext HostConversionContext(CandidatePicker &picker)
{
    ConversionContext context;
    context.programFolder = mainprogram::GetMainProgramDir(registry::RegistryStore());
    context.windowsFolder = sys::windowsFolder();
    context.picker = &picker;
    context.showMessage = showMessageBox;
    return context;
}

} // namespace porvex

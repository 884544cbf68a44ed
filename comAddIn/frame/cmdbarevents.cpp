#include "comAddIn/frame/cmdbarevents.h"

#include "comAddIn/frame/addinhost.h"
#include "comAddIn/frame/global.h"
#include "comAddIn/frame/hostoperations.h"
#include "comAddIn/frame/operatorsymbols.h"
#include "platform/office/host/hostapplication.h"

namespace porvex
{

namespace
{

using addin::Host;

// Runs a handler for a click and shows its failure in the host's status bar.
void deliver(platform::Result<bool> (*handler)(int), int k)
{
    const platform::Result<bool> result = handler(k);
    if (!result.ok() && global().Application)
        global().Application->setStatusBar(result.errorString());
}

Host currentHost()
{
    const office::HostApplication *application = global().Application;
    return application ? addin::hostOf(application->name()) : Host::Other;
}

} // namespace

void cmdBarEvents::setToolBtn(int k, std::shared_ptr<office::CommandBarControl> button)
{
    m_tools.at(k - 1).set(std::move(button), [k] { deliver(&ToolBtnClick, k); });
}

void cmdBarEvents::setOperatorBtn(int k, std::shared_ptr<office::CommandBarControl> button)
{
    m_operators.at(k - 1).set(std::move(button), [k] { deliver(&OperatorBtnClick, k); });
}

platform::Result<bool> cmdBarEvents::ToolBtnClick(int k)
{
    const Host host = currentHost();
    switch (k) {
    case 1:
        if (host == Host::Word)
            return ConvertDocumentToGlyphs();
        if (host == Host::Excel)
            return ConvertWorkbookToGlyphs();
        if (host == Host::PowerPoint)
            return ConvertPresentationToGlyphs();
        break;
    case 2:
        if (host == Host::Word)
            return ConvertDocumentToPictures();
        if (host == Host::FrontPage)
            return ConvertPageToPictures();
        break;
    case 3:
        if (host == Host::Word)
            return ConvertPicturesToFormulas();
        if (host == Host::FrontPage)
            return ConvertPagePicturesToFormulas();
        break;
    case 4:
        return StartMainProgram();
    case 5:
        return OpenMainProgramHelp();
    }
    return true;
}

platform::Result<bool> cmdBarEvents::OperatorBtnClick(int k)
{
    switch (currentHost()) {
    case Host::Word:
        return InsertOperatorWord(k);
    case Host::Excel:
        return InsertOperatorExcel(k);
    case Host::PowerPoint:
        return InsertOperatorPowerPoint(k);
    case Host::FrontPage:
        return InsertOperatorFrontPage(k);
    case Host::Other:
        break;
    }
    return true;
}

} // namespace porvex

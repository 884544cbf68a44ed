#include "comAddIn/porvex/cmdbarevents.h"

#include "comAddIn/porvex/global.h"
#include "comAddIn/porvex/operatorsymbols.h"
#include "comAddIn/porvex/toolcommands.h"

namespace porvex
{

using addin::Host;

void cmdBarEvents::setToolBtn(int k, std::shared_ptr<office::CommandBarControl> button)
{
    m_tools.at(k - 1).set(std::move(button), [k] { global().reportClick(ToolBtnClick(k)); });
}

void cmdBarEvents::setOperatorBtn(int k, std::shared_ptr<office::CommandBarControl> button)
{
    m_operators.at(k - 1).set(std::move(button),
                              [k] { global().reportClick(OperatorBtnClick(k)); });
}

platform::Result<bool> cmdBarEvents::ToolBtnClick(int k)
{
    if (k == 4)
        return StartMainProgram();
    if (k == 5)
        return OpenMainProgramHelp();
    const Host host = global().host();
    HostOperations *operations = global().operations();
    if (host == Host::Other || !operations)
        return true;
    switch (k) {
    case 1:
        if (host == Host::Word)
            return operations->ConvertDocumentToGlyphs();
        if (host == Host::Excel)
            return operations->ConvertWorkbookToGlyphs();
        if (host == Host::PowerPoint)
            return operations->ConvertPresentationToGlyphs();
        break;
    case 2:
        if (host == Host::Word)
            return operations->ConvertDocumentToPictures();
        if (host == Host::FrontPage)
            return operations->ConvertPageToPictures();
        break;
    case 3:
        if (host == Host::Word)
            return operations->ConvertPicturesToFormulas();
        if (host == Host::FrontPage)
            return operations->ConvertPagePicturesToFormulas();
        break;
    }
    return true;
}

platform::Result<bool> cmdBarEvents::OperatorBtnClick(int k)
{
    // The four hosts type alike, each through its object model.
    if (global().host() == Host::Other)
        return true;
    return InsertOperator(*global().application(), k);
}

} // namespace porvex

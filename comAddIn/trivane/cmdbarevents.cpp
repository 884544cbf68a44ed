#include "comAddIn/trivane/cmdbarevents.h"

#include "comAddIn/frame/addinhost.h"
#include "comAddIn/trivane/global.h"
#include "comAddIn/trivane/inserttrigram.h"
#include "platform/office/host/hostapplication.h"

namespace trivane
{

void cmdBarEvents::setOperator1Btn(int k, std::shared_ptr<office::CommandBarControl> button)
{
    m_buttons.at(k - 1).set(std::move(button), [k] {
        // A failure ends the click; the host shows it in its status bar.
        const platform::Result<bool> result = Operator1BtnClick(k);
        if (!result.ok() && global().Application)
            global().Application->setStatusBar(result.errorString());
    });
}

platform::Result<bool> cmdBarEvents::Operator1BtnClick(int k)
{
    const office::HostApplication *application = global().Application;
    switch (application ? addin::hostOf(application->name()) : addin::Host::Other) {
    case addin::Host::Word:
        return InsertTrigramWord(k);
    case addin::Host::Excel:
        return InsertTrigramExcel(k);
    case addin::Host::PowerPoint:
        return InsertTrigramPowerPoint(k);
    case addin::Host::FrontPage:
        return InsertTrigramFrontPage(k);
    case addin::Host::Other:
        break;
    }
    return true;
}

} // namespace trivane

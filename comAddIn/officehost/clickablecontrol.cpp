#include "comAddIn/officehost/clickablecontrol.h"

#include "platform/office/host/commandbars.h"

namespace officehost
{

platform::Result<std::shared_ptr<office::CommandBarControl>>
clickableControl(const office::CommandBars *bars, const QString &tag)
{
    using Found = platform::Result<std::shared_ptr<office::CommandBarControl>>;
    const auto control = bars && !tag.isEmpty() ? bars->findControl(tag) : nullptr;
    if (!control)
        return Found::failure(u"沒有標記為 %1 的命令"_qs.arg(tag));
    if (control->clickSubscriberCount() == 0)
        return Found::failure(u"沒有增益集接收 %1 的按下"_qs.arg(tag));
    return control;
}

} // namespace officehost

#include "comAddIn/officehost/commandbardescription.h"

#include "comAddIn/officehost/captionicons.h"
#include "comAddIn/relay/wireformat.h"
#include "platform/office/host/commandbars.h"

#include <QJsonObject>

namespace officehost
{

namespace
{

using namespace relay::wire;
using Key = QLatin1String;

QJsonArray describeControls(const office::CommandBar &bar, CaptionIcons &icons)
{
    QJsonArray controls;
    for (int i = 1; i <= bar.controlCount(); ++i) {
        const auto control = bar.control(i);
        if (control->id() != office::CommandBarControl::kAddInId)
            continue;
        QJsonObject described{
            {Key(kTag), control->tag()},
            {Key(kCaption), control->caption()},
            {Key(kVisible), control->visible()},
            {Key(kBeginGroup), control->beginGroup()},
        };
        if (const CaptionIconFiles files = icons.filesFor(control->caption());
            !files.small.isEmpty()) {
            described.insert(Key(kImage), files.small);
            described.insert(Key(kLargeImage), files.large);
        }
        controls.append(described);
    }
    return controls;
}

} // namespace

QJsonArray describeCommandBars(const office::CommandBars &bars, CaptionIcons &icons)
{
    QJsonArray described;
    for (int b = 1; b <= bars.count(); ++b) {
        const auto bar = bars.item(b);
        const bool isTools =
            bar->name().compare(QStringView(office::kToolsBarName), Qt::CaseInsensitive) == 0;
        described.append(QJsonObject{
            {Key(kName), bar->name()},
            {Key(kKind), Key(isTools ? kMenuKind : kToolbarKind)},
            {Key(kVisible), bar->visible()},
            {Key(kControls), describeControls(*bar, icons)},
        });
    }
    return described;
}

} // namespace officehost

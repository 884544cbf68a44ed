#include "comAddIn/officehost/commandbardescription.h"

#include "comAddIn/officehost/captionicons.h"
#include "platform/office/host/commandbars.h"

#include <QJsonObject>

namespace officehost
{

namespace
{

QJsonArray describeControls(const office::CommandBar &bar, CaptionIcons &icons)
{
    QJsonArray controls;
    for (int i = 1; i <= bar.controlCount(); ++i) {
        const auto control = bar.control(i);
        if (control->id() != office::CommandBarControl::kAddInId)
            continue;
        QJsonObject described{
            {u"tag"_qs, control->tag()},
            {u"caption"_qs, control->caption()},
            {u"visible"_qs, control->visible()},
            {u"beginGroup"_qs, control->beginGroup()},
        };
        if (const CaptionIconFiles files = icons.filesFor(control->caption());
            !files.small.isEmpty()) {
            described.insert(u"image"_qs, files.small);
            described.insert(u"largeImage"_qs, files.large);
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
            {u"name"_qs, bar->name()},
            {u"kind"_qs, isTools ? u"menu"_qs : u"toolbar"_qs},
            {u"visible"_qs, bar->visible()},
            {u"controls"_qs, describeControls(*bar, icons)},
        });
    }
    return described;
}

} // namespace officehost

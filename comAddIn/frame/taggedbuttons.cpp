#include "comAddIn/frame/taggedbuttons.h"

namespace addin
{

using office::CommandBarControl;

platform::Result<std::shared_ptr<office::CommandBar>> takeOrAddHiddenBar(office::CommandBars &bars,
                                                                         const QString &name)
{
    if (auto bar = bars.item(name))
        return bar;
    auto bar = bars.add(name);
    if (!bar)
        return platform::Result<std::shared_ptr<office::CommandBar>>::failure(
            u"無法加入「%1」工具列"_qs.arg(name));
    bar->setVisible(false);
    return bar;
}

QList<Control> findOnBar(const office::CommandBar &bar, const QList<TaggedButton> &buttons)
{
    QList<Control> found(buttons.size());
    for (int i = 1; i <= bar.controlCount(); ++i) {
        const Control control = bar.control(i);
        if (control->id() != CommandBarControl::kAddInId)
            continue;
        for (qsizetype k = 0; k < buttons.size(); ++k) {
            if (control->tag() == buttons[k].tag) {
                found[k] = control;
                break;
            }
        }
    }
    return found;
}

QList<Control> findInHost(const office::CommandBars &bars, const QList<TaggedButton> &buttons)
{
    QList<Control> found;
    for (const TaggedButton &button : buttons)
        found.append(bars.findControl(button.tag));
    return found;
}

Control addCaptionButton(office::CommandBar &bar, const TaggedButton &button, bool first,
                         const QString &onAction)
{
    const Control control = bar.addControl(CommandBarControl::Button);
    control->setStyle(CommandBarControl::CaptionOnly);
    if (first)
        control->setBeginGroup(true);
    control->setCaption(button.caption);
    if (!onAction.isEmpty())
        control->setOnAction(onAction);
    control->setTag(button.tag);
    return control;
}

platform::Result<bool> hookOrAdd(const QList<Control> &found,
                                 const std::function<platform::Result<bool>(int k)> &add,
                                 const std::function<void(int k, Control control)> &hook)
{
    for (int k = 1; k <= found.size(); ++k) {
        if (found[k - 1])
            hook(k, found[k - 1]);
    }
    for (int k = 1; k <= found.size(); ++k) {
        if (found[k - 1])
            continue;
        if (auto added = add(k); !added.ok())
            return added;
    }
    return true;
}

} // namespace addin

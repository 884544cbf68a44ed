#include "comAddIn/frame/cmdbarinit.h"

#include "comAddIn/frame/addinhost.h"
#include "comAddIn/frame/global.h"
#include "comAddIn/frame/operatorsymbols.h"
#include "platform/office/host/hostapplication.h"

#include <algorithm>

namespace porvex
{

namespace
{

using office::CommandBarControl;

constexpr char16_t kToolsBarName[] = u"Tools";

constexpr const char16_t *kToolCaptions[] = {
    u"構字式轉成字形☆(預覽)", u"構字式轉成圖片★(預覽)", u"圖片轉成構字式", u"Tesvani...",
    u"Tesvani說明...",
};
constexpr const char16_t *kToolTags[] = {
    u"qelToolExpToGlyph",    u"qelToolExpToImg",  u"qelToolImgToExp",
    u"qelToolHanziInteface", u"qelToolHanziHelp",
};
constexpr const char16_t *kOperatorTags[] = {
    u"qelOperatorH",  u"qelOperatorV",  u"qelOperatorC",  u"qelOperatorS",  u"qelOperatorE",
    u"qelOperator2H", u"qelOperator2V", u"qelOperator3D", u"qelOperator4D",
};

const addin::OnActionTable kOnAction = {
    u"!<PorvexAddin.ConnectWord>"_qs,
    u"!<porvexaddin.ConnectExcel>"_qs,
    u"!<porvexaddin.ConnectPowerPoint>"_qs,
    u"!<porvexaddin.ConnectFrontPage>"_qs,
};

platform::Result<bool> failure(const QString &message)
{
    return platform::Result<bool>::failure(message);
}

addin::Host currentHost()
{
    return addin::hostOf(global().Application->name());
}

// Hooks the controls of the bar that have Id 1 and one of the tags: sets the event
// member and the found flag of that tag. Controls of other Ids are left alone.
template<std::size_t N>
void hookTaggedControls(const office::CommandBar &bar, const std::array<QString, N> &tags,
                        std::array<bool, N> &found,
                        void (cmdBarEvents::*setMember)(int, std::shared_ptr<CommandBarControl>))
{
    for (int i = 1; i <= bar.controlCount(); ++i) {
        const auto control = bar.control(i);
        if (control->id() != CommandBarControl::kAddInId)
            continue;
        for (std::size_t k = 0; k < N; ++k) {
            if (control->tag() == tags[k]) {
                (global().eventObject().*setMember)(int(k + 1), control);
                found[k] = true;
                break;
            }
        }
    }
}

// Steps 2 to 5: the Tools items.
platform::Result<bool> initToolButtons()
{
    Global &g = global();
    if (auto bars = GetCommandBars(); !bars.ok())
        return bars;
    auto tools = addin::commandBarItem(*g.hostCommandBars, QString::fromUtf16(kToolsBarName));
    if (!tools.ok())
        return failure(tools.errorString());
    g.toolsBar = tools.value();
    InitToolButtonTable();
    hookTaggedControls(*g.toolsBar, g.toolTags, g.toolFound, &cmdBarEvents::setToolBtn);
    for (int k = 1; k <= Global::kToolCount; ++k) {
        if (!g.toolFound[k - 1]) {
            if (auto added = AddToolButton(k); !added.ok())
                return added;
        }
    }
    return true;
}

// The error route: the operator bar, added and hidden only when the host has none.
platform::Result<bool> takeOrAddOperatorBar()
{
    Global &g = global();
    if (!g.hostCommandBars)
        return failure(u"沒有命令列"_qs);
    const QString name = QString::fromUtf16(kOperatorBarName);
    g.operatorBar = g.hostCommandBars->item(name);
    if (g.operatorBar)
        return true;
    g.operatorBar = g.hostCommandBars->add(name);
    if (!g.operatorBar)
        return failure(u"無法加入「%1」工具列"_qs.arg(name));
    g.operatorBar->setVisible(false);
    return true;
}

// Steps 7 to 9: the operator buttons.
platform::Result<bool> initOperatorButtons()
{
    Global &g = global();
    InitOperatorButtonTable();
    hookTaggedControls(*g.operatorBar, g.operatorTags, g.operatorFound,
                       &cmdBarEvents::setOperatorBtn);
    for (int k = 1; k <= Global::kOperatorCount; ++k) {
        if (!g.operatorFound[k - 1]) {
            if (auto added = AddOperatorButton(k); !added.ok())
                return added;
        }
    }
    return true;
}

} // namespace

platform::Result<bool> InitCommandBars()
{
    Global &g = global();
    if (!g.Application)
        return failure(u"增益集尚未連線"_qs);
    bool routed = false;
    if (!initToolButtons().ok())
        routed = true;
    if (!routed) {
        g.operatorBar = g.hostCommandBars->item(QString::fromUtf16(kOperatorBarName));
        routed = !g.operatorBar;
    }
    if (routed) {
        if (auto bar = takeOrAddOperatorBar(); !bar.ok())
            return bar;
    }
    return initOperatorButtons();
}

platform::Result<bool> GetCommandBars()
{
    return addin::takeCommandBars(global().Application, global().hostCommandBars);
}

void InitToolButtonTable()
{
    Global &g = global();
    for (int k = 0; k < Global::kToolCount; ++k) {
        g.toolCaptions[k] = QString::fromUtf16(kToolCaptions[k]);
        g.toolTags[k] = QString::fromUtf16(kToolTags[k]);
    }
    g.toolFound.fill(false);
}

void InitOperatorButtonTable()
{
    Global &g = global();
    for (int k = 0; k < Global::kOperatorCount; ++k) {
        g.operatorCaptions[k] = OperatorButtonSymbol(k + 1);
        g.operatorTags[k] = QString::fromUtf16(kOperatorTags[k]);
    }
    g.operatorFound.fill(false);
}

platform::Result<bool> AddToolButton(int i)
{
    Global &g = global();
    if (!g.hostCommandBars)
        return failure(u"沒有命令列"_qs);
    auto tools = addin::commandBarItem(*g.hostCommandBars, QString::fromUtf16(kToolsBarName));
    if (!tools.ok())
        return failure(tools.errorString());
    const auto control = tools.value()->addControl();
    if (i == 1)
        control->setBeginGroup(true);
    const addin::Host host = currentHost();
    control->setCaption(host == addin::Host::FrontPage && i == 2 ? u"構字式轉成圖片"_qs
                                                                 : g.toolCaptions[i - 1]);
    const QString onAction = addin::onActionFor(host, kOnAction);
    if (!onAction.isEmpty())
        control->setOnAction(onAction);
    const bool hidden =
        ((host == addin::Host::Excel || host == addin::Host::PowerPoint) && (i == 2 || i == 3)) ||
        (host == addin::Host::FrontPage && i == 1);
    if (hidden)
        control->setVisible(false);
    control->setTag(g.toolTags[i - 1]);
    g.eventObject().setToolBtn(i, control);
    return true;
}

platform::Result<bool> AddOperatorButton(int i)
{
    Global &g = global();
    if (!g.operatorBar)
        return failure(u"沒有「%1」工具列"_qs.arg(QString::fromUtf16(kOperatorBarName)));
    const auto control = g.operatorBar->addControl(CommandBarControl::Button);
    control->setStyle(CommandBarControl::CaptionOnly);
    if (i == 1)
        control->setBeginGroup(true);
    control->setCaption(g.operatorCaptions[i - 1]);
    const QString onAction = addin::onActionFor(currentHost(), kOnAction);
    if (!onAction.isEmpty())
        control->setOnAction(onAction);
    control->setTag(g.operatorTags[i - 1]);
    g.eventObject().setOperatorBtn(i, control);
    return true;
}

platform::Result<bool> RemoveToolButtons()
{
    Global &g = global();
    if (!g.toolsBar)
        return failure(u"沒有「Tools」命令列"_qs);
    int i = 1;
    while (i <= g.toolsBar->controlCount()) {
        const auto control = g.toolsBar->control(i);
        const auto tag = std::find(g.toolTags.begin(), g.toolTags.end(), control->tag());
        if (control->id() == CommandBarControl::kAddInId && !control->tag().isEmpty() &&
            tag != g.toolTags.end()) {
            control->deleteControl();
            g.toolFound[std::size_t(tag - g.toolTags.begin())] = false;
            continue; // the following controls have moved up
        }
        ++i;
    }
    return true;
}

void DeleteOperatorBar()
{
    Global &g = global();
    if (!g.hostCommandBars)
        return;
    if (const auto bar = g.hostCommandBars->item(QString::fromUtf16(kOperatorBarName)))
        bar->deleteBar();
}

void ReleaseCommandBars()
{
    Global &g = global();
    g.Application = nullptr;
    g.hostCommandBars.reset();
    g.toolsBar.reset();
    g.operatorBar.reset();
    cmdBarEvents &events = g.eventObject();
    for (int k = 1; k <= Global::kToolCount; ++k)
        events.setToolBtn(k, nullptr);
    for (int k = 1; k <= Global::kOperatorCount; ++k)
        events.setOperatorBtn(k, nullptr);
}

} // namespace porvex

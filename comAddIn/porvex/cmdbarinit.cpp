#include "comAddIn/porvex/cmdbarinit.h"

#include "comAddIn/frame/addinhost.h"
#include "comAddIn/porvex/global.h"
#include "comAddIn/porvex/operatorsymbols.h"

#include <algorithm>

namespace porvex
{

namespace
{

using office::CommandBarControl;

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

// The host's Tools bar; a failure when it has none.
platform::Result<std::shared_ptr<office::CommandBar>> toolsBarOf(const office::CommandBars &bars)
{
    const QString name = QString::fromUtf16(office::kToolsBarName);
    if (auto bar = bars.item(name))
        return bar;
    return platform::Result<std::shared_ptr<office::CommandBar>>::failure(
        u"沒有「%1」命令列"_qs.arg(name));
}

QString operatorBarName()
{
    return QString::fromUtf16(kOperatorBarName);
}

// The Tools items: those of an earlier connection hooked, the missing ones added.
platform::Result<bool> initToolButtons()
{
    PorvexAddIn &addIn = global();
    if (auto bars = addIn.takeCommandBars(); !bars.ok())
        return bars;
    auto tools = toolsBarOf(*addIn.commandBars());
    if (!tools.ok())
        return failure(tools.errorString());
    addIn.setToolsBar(tools.value());
    return addin::hookOrAdd(
        addin::findOnBar(*addIn.toolsBar(), toolButtons()), &AddToolButton,
        [&addIn](int k, addin::Control control) { addIn.eventObject().setToolBtn(k, control); });
}

// The operator toolbar of the host, added hidden when it has none.
platform::Result<bool> takeOrAddOperatorBar()
{
    PorvexAddIn &addIn = global();
    if (!addIn.commandBars())
        return failure(u"沒有命令列"_qs);
    auto bar = addin::takeOrAddHiddenBar(*addIn.commandBars(), operatorBarName());
    if (!bar.ok())
        return failure(bar.errorString());
    addIn.setOperatorBar(bar.value());
    return true;
}

// The operator buttons: those of an earlier connection hooked, the missing ones added.
platform::Result<bool> initOperatorButtons()
{
    PorvexAddIn &addIn = global();
    return addin::hookOrAdd(addin::findOnBar(*addIn.operatorBar(), operatorButtons()),
                            &AddOperatorButton, [&addIn](int k, addin::Control control) {
                                addIn.eventObject().setOperatorBtn(k, control);
                            });
}

} // namespace

const QList<addin::TaggedButton> &toolButtons()
{
    static const QList<addin::TaggedButton> buttons = {
        {u"構字式轉成字形☆(預覽)"_qs, u"qelToolExpToGlyph"_qs},
        {u"構字式轉成圖片★(預覽)"_qs, u"qelToolExpToImg"_qs},
        {u"圖片轉成構字式"_qs, u"qelToolImgToExp"_qs},
        {u"Tesvani..."_qs, u"qelToolHanziInteface"_qs},
        {u"Tesvani說明..."_qs, u"qelToolHanziHelp"_qs},
    };
    return buttons;
}

const QList<addin::TaggedButton> &operatorButtons()
{
    static const QList<addin::TaggedButton> buttons = [] {
        constexpr const char16_t *kTags[] = {
            u"qelOperatorH",  u"qelOperatorV",  u"qelOperatorC",  u"qelOperatorS",  u"qelOperatorE",
            u"qelOperator2H", u"qelOperator2V", u"qelOperator3D", u"qelOperator4D",
        };
        QList<addin::TaggedButton> table;
        for (int k = 1; k <= int(std::size(kTags)); ++k)
            table.append({OperatorButtonSymbol(k), QString::fromUtf16(kTags[k - 1])});
        return table;
    }();
    return buttons;
}

platform::Result<bool> InitCommandBars()
{
    PorvexAddIn &addIn = global();
    if (!addIn.application())
        return failure(u"增益集尚未連線"_qs);
    bool operatorBarTaken = false;
    if (initToolButtons().ok()) {
        addIn.setOperatorBar(addIn.commandBars()->item(operatorBarName()));
        operatorBarTaken = bool(addIn.operatorBar());
    }
    if (!operatorBarTaken) {
        if (auto bar = takeOrAddOperatorBar(); !bar.ok())
            return bar;
    }
    return initOperatorButtons();
}

platform::Result<bool> AddToolButton(int i)
{
    PorvexAddIn &addIn = global();
    if (!addIn.commandBars())
        return failure(u"沒有命令列"_qs);
    auto tools = toolsBarOf(*addIn.commandBars());
    if (!tools.ok())
        return failure(tools.errorString());
    const auto control = tools.value()->addControl();
    if (i == 1)
        control->setBeginGroup(true);
    const addin::Host host = addIn.host();
    control->setCaption(host == addin::Host::FrontPage && i == 2 ? u"構字式轉成圖片"_qs
                                                                 : toolButtons()[i - 1].caption);
    const QString onAction = addin::onActionFor(host, kOnAction);
    if (!onAction.isEmpty())
        control->setOnAction(onAction);
    const bool hidden =
        ((host == addin::Host::Excel || host == addin::Host::PowerPoint) && (i == 2 || i == 3)) ||
        (host == addin::Host::FrontPage && i == 1);
    if (hidden)
        control->setVisible(false);
    control->setTag(toolButtons()[i - 1].tag);
    addIn.eventObject().setToolBtn(i, control);
    return true;
}

platform::Result<bool> AddOperatorButton(int i)
{
    PorvexAddIn &addIn = global();
    if (!addIn.operatorBar())
        return failure(u"沒有「%1」工具列"_qs.arg(operatorBarName()));
    const addin::Control control =
        addin::addCaptionButton(*addIn.operatorBar(), operatorButtons()[i - 1], i == 1,
                                addin::onActionFor(addIn.host(), kOnAction));
    addIn.eventObject().setOperatorBtn(i, control);
    return true;
}

platform::Result<bool> RemoveToolButtons()
{
    const auto &tools = global().toolsBar();
    if (!tools)
        return failure(u"沒有「%1」命令列"_qs.arg(QString::fromUtf16(office::kToolsBarName)));
    const QList<addin::TaggedButton> &buttons = toolButtons();
    int i = 1;
    while (i <= tools->controlCount()) {
        const auto control = tools->control(i);
        const bool ours =
            control->id() == CommandBarControl::kAddInId && !control->tag().isEmpty() &&
            std::any_of(buttons.begin(), buttons.end(),
                        [&](const auto &button) { return button.tag == control->tag(); });
        if (ours) {
            control->deleteControl();
            continue; // the following controls have moved up
        }
        ++i;
    }
    return true;
}

void DeleteOperatorBar()
{
    const auto &bars = global().commandBars();
    if (!bars)
        return;
    if (const auto bar = bars->item(operatorBarName()))
        bar->deleteBar();
}

void ReleaseCommandBars()
{
    PorvexAddIn &addIn = global();
    addIn.releaseBars();
    cmdBarEvents &events = addIn.eventObject();
    for (int k = 1; k <= int(toolButtons().size()); ++k)
        events.setToolBtn(k, nullptr);
    for (int k = 1; k <= int(operatorButtons().size()); ++k)
        events.setOperatorBtn(k, nullptr);
}

} // namespace porvex

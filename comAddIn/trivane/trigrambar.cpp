#include "comAddIn/trivane/trigrambar.h"

#include "comAddIn/frame/addinhost.h"
#include "comAddIn/trivane/global.h"
#include "platform/office/host/hostapplication.h"

namespace trivane
{

namespace
{

using office::CommandBarControl;

struct Trigram {
    const char16_t *name;
    char16_t symbol;
};
constexpr Trigram kTrigrams[] = {
    {u"乾", 0xEDC7}, {u"兌", 0xEDC6}, {u"離", 0xEDC5}, {u"震", 0xEDC4},
    {u"巽", 0xEDC3}, {u"坎", 0xEDC2}, {u"艮", 0xEDC1}, {u"坤", 0xEDC0},
};

const addin::OnActionTable kOnAction = {
    u"!<Zontabar.ConnectWord>"_qs,
    u"!<Zontabar.ConnectExcel>"_qs,
    u"!<Zontabar.ConnectPowerPoint>"_qs,
    u"!<Zontabar.ConnectFrontPage>"_qs,
};

platform::Result<bool> failure(const QString &message)
{
    return platform::Result<bool>::failure(message);
}

// The bar named exactly so, walking the collection in order.
std::shared_ptr<office::CommandBar> barNamedExactly(const office::CommandBars &bars,
                                                    const QString &name)
{
    for (int i = 1; i <= bars.count(); ++i) {
        if (bars.item(i)->name() == name)
            return bars.item(i);
    }
    return nullptr;
}

} // namespace

platform::Result<bool> InitTrigramBar()
{
    Global &g = global();
    if (auto bars = GetCommandBars(); !bars.ok())
        return bars;
    const QString name = QString::fromUtf16(kTrigramBarName);
    g.trigramBar = barNamedExactly(*g.hostCommandBars, name);
    if (!g.trigramBar) {
        g.trigramBar = g.hostCommandBars->add(name);
        if (!g.trigramBar)
            return failure(u"無法加入「%1」工具列"_qs.arg(name));
        g.trigramBar->setVisible(false);
    }
    InitTrigramButtonTable();
    for (int k = 1; k <= Global::kTrigramCount; ++k) {
        g.buttonHolder = g.hostCommandBars->findControl(g.trigramTags[k - 1]);
        if (!g.buttonHolder) {
            if (auto added = AddTrigramButton(k); !added.ok())
                return added;
        } else {
            g.eventObject().setOperator1Btn(k, g.buttonHolder);
        }
    }
    return true;
}

platform::Result<bool> GetCommandBars()
{
    return addin::takeCommandBars(global().Application, global().hostCommandBars);
}

void InitTrigramButtonTable()
{
    Global &g = global();
    for (int k = 0; k < Global::kTrigramCount; ++k) {
        g.trigramCaptions[k] = QString(QChar(kTrigrams[k].symbol));
        g.trigramTags[k] = QString::fromUtf16(kTrigrams[k].name);
    }
}

platform::Result<bool> AddTrigramButton(int k)
{
    Global &g = global();
    if (!g.trigramBar || !g.Application)
        return failure(u"沒有「%1」工具列"_qs.arg(QString::fromUtf16(kTrigramBarName)));
    g.buttonHolder = g.trigramBar->addControl(CommandBarControl::Button);
    g.buttonHolder->setStyle(CommandBarControl::CaptionOnly);
    if (k == 1)
        g.buttonHolder->setBeginGroup(true);
    g.buttonHolder->setCaption(g.trigramCaptions[k - 1]);
    const QString onAction = addin::onActionFor(addin::hostOf(g.Application->name()), kOnAction);
    if (!onAction.isEmpty())
        g.buttonHolder->setOnAction(onAction);
    g.buttonHolder->setTag(g.trigramTags[k - 1]);
    g.eventObject().setOperator1Btn(k, g.buttonHolder);
    return true;
}

void DeleteTrigramBar()
{
    Global &g = global();
    if (!g.hostCommandBars)
        return;
    if (const auto bar = g.hostCommandBars->item(QString::fromUtf16(kTrigramBarName)))
        bar->deleteBar();
}

} // namespace trivane

#include "comAddIn/trivane/trigrambar.h"

#include "comAddIn/frame/addinhost.h"
#include "comAddIn/trivane/global.h"

namespace trivane
{

namespace
{

const addin::OnActionTable kOnAction = {
    u"!<Zontabar.ConnectWord>"_qs,
    u"!<Zontabar.ConnectExcel>"_qs,
    u"!<Zontabar.ConnectPowerPoint>"_qs,
    u"!<Zontabar.ConnectFrontPage>"_qs,
};

} // namespace

const QList<addin::TaggedButton> &trigramButtons()
{
    static const QList<addin::TaggedButton> buttons = {
        {QString(QChar(0xEDC7)), u"乾"_qs}, {QString(QChar(0xEDC6)), u"兌"_qs},
        {QString(QChar(0xEDC5)), u"離"_qs}, {QString(QChar(0xEDC4)), u"震"_qs},
        {QString(QChar(0xEDC3)), u"巽"_qs}, {QString(QChar(0xEDC2)), u"坎"_qs},
        {QString(QChar(0xEDC1)), u"艮"_qs}, {QString(QChar(0xEDC0)), u"坤"_qs},
    };
    return buttons;
}

platform::Result<bool> InitTrigramBar()
{
    TrigramAddIn &addIn = global();
    if (auto bars = addIn.takeCommandBars(); !bars.ok())
        return bars;
    auto bar = addin::takeOrAddHiddenBar(*addIn.commandBars(), QString::fromUtf16(kTrigramBarName));
    if (!bar.ok())
        return platform::Result<bool>::failure(bar.errorString());
    addIn.setTrigramBar(bar.value());
    return addin::hookOrAdd(
        addin::findInHost(*addIn.commandBars(), trigramButtons()), &AddTrigramButton,
        [&addIn](int k, addin::Control control) { addIn.eventObject().hookButton(k, control); });
}

platform::Result<bool> AddTrigramButton(int k)
{
    TrigramAddIn &addIn = global();
    if (!addIn.trigramBar() || !addIn.application())
        return platform::Result<bool>::failure(
            u"沒有「%1」工具列"_qs.arg(QString::fromUtf16(kTrigramBarName)));
    const addin::Control button =
        addin::addCaptionButton(*addIn.trigramBar(), trigramButtons()[k - 1], k == 1,
                                addin::onActionFor(addIn.host(), kOnAction));
    addIn.eventObject().hookButton(k, button);
    return true;
}

void DeleteTrigramBar()
{
    const auto &bars = global().commandBars();
    if (!bars)
        return;
    if (const auto bar = bars->item(QString::fromUtf16(kTrigramBarName)))
        bar->deleteBar();
}

} // namespace trivane

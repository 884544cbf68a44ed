#include "comAddIn/porvex/operatorsymbols.h"

#include "platform/office/host/hostapplication.h"

namespace porvex
{

platform::Result<bool> InsertOperator(office::HostApplication &host, int k)
{
    const QString symbol = OperatorButtonSymbol(k);
    if (symbol.isEmpty())
        return platform::Result<bool>::failure(u"沒有這個運算符號按鈕"_qs);
    return host.typeAtCaret(symbol);
}

} // namespace porvex

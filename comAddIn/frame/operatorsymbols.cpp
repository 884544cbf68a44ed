#include "comAddIn/frame/operatorsymbols.h"

#include "comAddIn/frame/global.h"
#include "platform/office/host/hostapplication.h"

namespace porvex
{

namespace
{

platform::Result<bool> insertOnConnectedHost(int k)
{
    if (!global().Application)
        return platform::Result<bool>::failure(u"增益集尚未連線"_qs);
    return InsertOperator(*global().Application, k);
}

} // namespace

platform::Result<bool> InsertOperator(office::HostApplication &host, int k)
{
    const QString symbol = OperatorButtonSymbol(k);
    if (symbol.isEmpty())
        return platform::Result<bool>::failure(u"沒有這個運算符號按鈕"_qs);
    return host.typeAtCaret(symbol);
}

platform::Result<bool> InsertOperatorWord(int k)
{
    return insertOnConnectedHost(k);
}

platform::Result<bool> InsertOperatorExcel(int k)
{
    return insertOnConnectedHost(k);
}

platform::Result<bool> InsertOperatorPowerPoint(int k)
{
    return insertOnConnectedHost(k);
}

platform::Result<bool> InsertOperatorFrontPage(int k)
{
    return insertOnConnectedHost(k);
}

} // namespace porvex

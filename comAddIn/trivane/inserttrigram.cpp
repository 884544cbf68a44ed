#include "comAddIn/trivane/inserttrigram.h"

#include "comAddIn/trivane/global.h"
#include "platform/office/host/hostapplication.h"

namespace trivane
{

namespace
{

platform::Result<bool> insertOnConnectedHost(int k)
{
    if (!global().Application)
        return platform::Result<bool>::failure(u"增益集尚未連線"_qs);
    return InsertTrigram(*global().Application, k);
}

} // namespace

platform::Result<bool> InsertTrigram(office::HostApplication &host, int k)
{
    if (k < 1 || k > Global::kTrigramCount || global().trigramCaptions[k - 1].isEmpty())
        return platform::Result<bool>::failure(u"沒有這個八卦符號按鈕"_qs);
    return host.typeAtCaret(global().trigramCaptions[k - 1]);
}

platform::Result<bool> InsertTrigramWord(int k)
{
    return insertOnConnectedHost(k);
}

platform::Result<bool> InsertTrigramExcel(int k)
{
    return insertOnConnectedHost(k);
}

platform::Result<bool> InsertTrigramPowerPoint(int k)
{
    return insertOnConnectedHost(k);
}

platform::Result<bool> InsertTrigramFrontPage(int k)
{
    return insertOnConnectedHost(k);
}

} // namespace trivane

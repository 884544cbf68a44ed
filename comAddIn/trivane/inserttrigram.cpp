#include "comAddIn/trivane/inserttrigram.h"

#include "comAddIn/trivane/trigrambar.h"
#include "platform/office/host/hostapplication.h"

namespace trivane
{

platform::Result<bool> InsertTrigram(office::HostApplication &host, int k)
{
    if (k < 1 || k > kTrigramCount)
        return platform::Result<bool>::failure(u"沒有這個八卦符號按鈕"_qs);
    return host.typeAtCaret(trigramButtons()[k - 1].caption);
}

} // namespace trivane

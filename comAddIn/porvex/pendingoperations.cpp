// The host operations whose conversions are not part of this version yet: each tells the
// user so in the host's status bar.
#include "comAddIn/frame/global.h"
#include "comAddIn/frame/hostoperations.h"
#include "platform/office/host/hostapplication.h"

namespace porvex
{

namespace
{

platform::Result<bool> notYetAvailable(const QString &what)
{
    if (office::HostApplication *application = global().Application)
        application->setStatusBar(u"「%1」在這個版本還不能用"_qs.arg(what));
    return true;
}

} // namespace

platform::Result<bool> ConvertDocumentToGlyphs()
{
    return notYetAvailable(u"構字式轉成字形"_qs);
}

platform::Result<bool> ConvertDocumentToPictures()
{
    return notYetAvailable(u"構字式轉成圖片"_qs);
}

platform::Result<bool> ConvertPicturesToFormulas()
{
    return notYetAvailable(u"圖片轉成構字式"_qs);
}

platform::Result<bool> InsertOperatorWord(int)
{
    return notYetAvailable(u"插入構字符號"_qs);
}

} // namespace porvex

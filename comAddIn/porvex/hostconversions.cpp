// The Tools items of the spreadsheet, presentation and web-page hosts,
// on the host of the connection.
#include "comAddIn/frame/global.h"
#include "comAddIn/frame/hostoperations.h"
#include "comAddIn/porvex/candidatedialog.h"
#include "comAddIn/porvex/excel/excelconversion.h"
#include "comAddIn/porvex/frontpage/frontpageconversion.h"
#include "comAddIn/porvex/frontpage/picturenames.h"
#include "comAddIn/porvex/glyphrenderer.h"
#include "comAddIn/porvex/powerpoint/powerpointconversion.h"

#include <QApplication>

namespace porvex
{

namespace
{

// The connection's application as the host's own; a failure names the host it is not.
template<class HostApplication> platform::Result<HostApplication *> hostAs(const QString &hostName)
{
    if (auto *host = dynamic_cast<HostApplication *>(global().Application))
        return host;
    return platform::Result<HostApplication *>::failure(u"這個指令只能在 %1 使用"_qs.arg(hostName));
}

// The chooser's dialog for the conversions, over the host's window.
DialogCandidatePicker dialogPicker()
{
    return DialogCandidatePicker(QApplication::activeWindow());
}

// The page pictures' numbers go on for as long as the add-in is loaded.
PictureNames &pagePictureNames()
{
    static PictureNames names;
    return names;
}

template<class HostApplication, class Operation>
platform::Result<bool> onHost(const QString &hostName, Operation operation)
{
    platform::Result<HostApplication *> host = hostAs<HostApplication>(hostName);
    if (!host)
        return platform::Result<bool>::failure(host.errorString());
    return operation(*host.value());
}

} // namespace

platform::Result<bool> ConvertWorkbookToGlyphs()
{
    return onHost<office::excel::Application>(u"Excel"_qs, [](office::excel::Application &excel) {
        DialogCandidatePicker picker = dialogPicker();
        return ExcelConversion(excel, HostConversionContext(picker)).ConvertWorkbookToGlyphs();
    });
}

platform::Result<bool> ConvertPresentationToGlyphs()
{
    return onHost<office::powerpoint::Application>(
        u"PowerPoint"_qs, [](office::powerpoint::Application &powerPoint) {
            DialogCandidatePicker picker = dialogPicker();
            return PowerPointConversion(powerPoint, HostConversionContext(picker))
                .ConvertPresentationToGlyphs();
        });
}

platform::Result<bool> ConvertPageToPictures()
{
    return onHost<office::page::Application>(u"FrontPage"_qs, [](office::page::Application &page) {
        DialogCandidatePicker picker = dialogPicker();
        const ConversionContext context = HostConversionContext(picker);
        GlyphRenderer renderer(context.programFolder);
        return FrontPageConversion(page, context, renderer, pagePictureNames())
            .ConvertPageToPictures();
    });
}

platform::Result<bool> ConvertPagePicturesToFormulas()
{
    return onHost<office::page::Application>(u"FrontPage"_qs, [](office::page::Application &page) {
        return ConvertPagePicturesToFormulas(page);
    });
}

} // namespace porvex

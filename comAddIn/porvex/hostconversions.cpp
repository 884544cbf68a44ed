// The Tools items of the spreadsheet, presentation and web-page hosts,
// on the host of the connection.
#include "comAddIn/porvex/hostconversions.h"

#include "comAddIn/porvex/candidatedialog.h"
#include "comAddIn/porvex/connectedhost.h"
#include "comAddIn/porvex/excel/excelconversion.h"
#include "comAddIn/porvex/frontpage/frontpageconversion.h"
#include "comAddIn/porvex/frontpage/picturenames.h"
#include "comAddIn/porvex/glyphrenderer.h"
#include "comAddIn/porvex/hostcontext.h"
#include "comAddIn/porvex/powerpoint/powerpointconversion.h"

#include <QApplication>

namespace porvex
{

namespace
{

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

} // namespace

platform::Result<bool> HostConversions::ConvertWorkbookToGlyphs()
{
    return onConnectedHost<office::excel::Application>(
        addin::Host::Excel, u"構字式轉成字形"_qs, [](office::excel::Application &excel) {
            DialogCandidatePicker picker = dialogPicker();
            return ExcelConversion(excel, HostConversionContext(picker)).ConvertWorkbookToGlyphs();
        });
}

platform::Result<bool> HostConversions::ConvertPresentationToGlyphs()
{
    return onConnectedHost<office::powerpoint::Application>(
        addin::Host::PowerPoint, u"構字式轉成字形"_qs,
        [](office::powerpoint::Application &powerPoint) {
            DialogCandidatePicker picker = dialogPicker();
            return PowerPointConversion(powerPoint, HostConversionContext(picker))
                .ConvertPresentationToGlyphs();
        });
}

platform::Result<bool> HostConversions::ConvertPageToPictures()
{
    return onConnectedHost<office::page::Application>(
        addin::Host::FrontPage, u"構字式轉成圖片"_qs, [](office::page::Application &page) {
            DialogCandidatePicker picker = dialogPicker();
            const ConversionContext context = HostConversionContext(picker);
            GlyphRenderer renderer(context.programFolder);
            return FrontPageConversion(page, context, renderer, pagePictureNames())
                .ConvertPageToPictures();
        });
}

platform::Result<bool> HostConversions::ConvertPagePicturesToFormulas()
{
    return onConnectedHost<office::page::Application>(
        addin::Host::FrontPage, u"圖片轉成構字式"_qs, [](office::page::Application &page) {
            return porvex::ConvertPagePicturesToFormulas(page);
        });
}

} // namespace porvex

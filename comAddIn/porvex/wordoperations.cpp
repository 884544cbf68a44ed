// The Word host operations: the Tools items on the Word application of the connection, with the
// chooser's dialog and the host's message boxes.
#include "comAddIn/porvex/candidatedialog.h"
#include "comAddIn/porvex/connectedhost.h"
#include "comAddIn/porvex/hostcontext.h"
#include "comAddIn/porvex/hostconversions.h"
#include "comAddIn/porvex/messagebox.h"
#include "comAddIn/porvex/word/conversiondriver.h"
#include "comAddIn/porvex/word/picturestoformulas.h"
#include "platform/office/word/application.h"

#include <QApplication>

namespace porvex
{

namespace
{

template<typename Conversion>
platform::Result<bool> convertDocument(const QString &caption, Conversion conversion)
{
    return onConnectedHost<word::Application>(
        addin::Host::Word, caption, [conversion](word::Application &application) {
            DialogCandidatePicker dialog(QApplication::activeWindow());
            return conversion(application, HostConversionContext(dialog));
        });
}

} // namespace

platform::Result<bool> HostConversions::ConvertDocumentToGlyphs()
{
    return convertDocument(u"構字式轉成字形"_qs,
                           [](word::Application &application, const ConversionContext &context) {
                               return porvex::ConvertDocumentToGlyphs(application, context);
                           });
}

platform::Result<bool> HostConversions::ConvertDocumentToPictures()
{
    return convertDocument(u"構字式轉成圖片"_qs,
                           [](word::Application &application, const ConversionContext &context) {
                               return porvex::ConvertDocumentToPictures(application, context);
                           });
}

platform::Result<bool> HostConversions::ConvertPicturesToFormulas()
{
    return onConnectedHost<word::Application>(
        addin::Host::Word, u"圖片轉成構字式"_qs, [](word::Application &application) {
            porvex::ConvertPicturesToFormulas(application, showMessageBox);
        });
}

} // namespace porvex

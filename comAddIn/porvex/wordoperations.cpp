// The Word host operations: the Tools items on the Word application of the connection, with the
// chooser's dialog and the host's message boxes.
#include "comAddIn/porvex/candidatedialog.h"
#include "comAddIn/porvex/connectedhost.h"
#include "comAddIn/porvex/hostconversions.h"
#include "comAddIn/porvex/messagebox.h"
#include "comAddIn/porvex/word/conversiondriver.h"
#include "comAddIn/porvex/word/picturesandoperators.h"
#include "platform/office/word/application.h"
#include "platform/registry/registrystore.h"
#include "platform/system/folders.h"
#include "vbprog/murvel/core/mainprogrampath.h"

#include <QApplication>

namespace porvex
{

namespace
{

// The add-in's engine: its run state lives as long as the library is loaded.
LookupEngine &engine()
{
    static LookupEngine instance;
    return instance;
}

void showMessage(const QString &text, const QString &title)
{
    showMessageBox(QMessageBox::NoIcon, title, text);
}

template<typename Conversion>
platform::Result<bool> convertDocument(const QString &caption, Conversion conversion)
{
    return onConnectedHost<word::Application>(
        addin::Host::Word, caption, [conversion](word::Application &application) {
            DialogCandidatePicker dialog(QApplication::activeWindow());
            const WordRunContext context{mainprogram::GetMainProgramDir(registry::RegistryStore()),
                                         sys::windowsFolder(), engine(), dialog, showMessage};
            return conversion(application, context);
        });
}

} // namespace

platform::Result<bool> HostConversions::ConvertDocumentToGlyphs()
{
    return convertDocument(u"構字式轉成字形"_qs,
                           [](word::Application &application, const WordRunContext &context) {
                               return porvex::ConvertDocumentToGlyphs(application, context);
                           });
}

platform::Result<bool> HostConversions::ConvertDocumentToPictures()
{
    return convertDocument(u"構字式轉成圖片"_qs,
                           [](word::Application &application, const WordRunContext &context) {
                               return porvex::ConvertDocumentToPictures(application, context);
                           });
}

platform::Result<bool> HostConversions::ConvertPicturesToFormulas()
{
    return onConnectedHost<word::Application>(
        addin::Host::Word, u"圖片轉成構字式"_qs, [](word::Application &application) {
            porvex::ConvertPicturesToFormulas(application, showMessage);
        });
}

} // namespace porvex

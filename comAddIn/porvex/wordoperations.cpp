// The Word host operations: the Tools items on the Word application of the connection, with the
// chooser's dialog and the host's message boxes.
#include "comAddIn/frame/global.h"
#include "comAddIn/frame/hostoperations.h"
#include "comAddIn/frame/mainprogrampath.h"
#include "comAddIn/porvex/candidatedialog.h"
#include "comAddIn/porvex/word/conversiondriver.h"
#include "comAddIn/porvex/word/picturesandoperators.h"
#include "platform/office/word/application.h"
#include "platform/registry/registrystore.h"
#include "platform/system/folders.h"

#include <QApplication>
#include <QMessageBox>
#include <type_traits>

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
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

// Runs an operation on the Word application of the connection; its failure, when it can
// fail, is the result.
template<typename Operation>
platform::Result<bool> onWord(const QString &caption, Operation operation)
{
    auto *application = dynamic_cast<word::Application *>(global().Application);
    if (application == nullptr)
        return platform::Result<bool>::failure(
            u"「%1」：這個主程式沒有 Word 的文件"_qs.arg(caption));
    if constexpr (std::is_void_v<std::invoke_result_t<Operation, word::Application &>>) {
        operation(*application);
        return true;
    } else {
        return operation(*application);
    }
}

template<typename Conversion>
platform::Result<bool> convertDocument(const QString &caption, Conversion conversion)
{
    return onWord(caption, [conversion](word::Application &application) {
        DialogCandidatePicker dialog(QApplication::activeWindow());
        const WordRunContext context{mainprogram::GetMainProgramDir(registry::RegistryStore()),
                                     sys::windowsFolder(), engine(), dialog, showMessage};
        return conversion(application, context);
    });
}

} // namespace

platform::Result<bool> ConvertDocumentToGlyphs()
{
    return convertDocument(u"構字式轉成字形"_qs,
                           [](word::Application &application, const WordRunContext &context) {
                               return porvex::ConvertDocumentToGlyphs(application, context);
                           });
}

platform::Result<bool> ConvertDocumentToPictures()
{
    return convertDocument(u"構字式轉成圖片"_qs,
                           [](word::Application &application, const WordRunContext &context) {
                               return porvex::ConvertDocumentToPictures(application, context);
                           });
}

platform::Result<bool> ConvertPicturesToFormulas()
{
    return onWord(u"圖片轉成構字式"_qs, [](word::Application &application) {
        porvex::ConvertPicturesToFormulas(application, showMessage);
    });
}

} // namespace porvex

#include "comAddIn/porvex/word/picturestoformulas.h"

#include "comAddIn/porvex/word/rangeconverter.h"
#include "platform/office/word/application.h"

namespace porvex
{

void ConvertPicturesToFormulas(word::Application &application,
                               const std::function<void(const Message &)> &showMessage)
{
    word::Document *document = application.activeDocument();
    if (document == nullptr)
        return;
    if (document->protectionType() != word::ProtectionType::NoProtection) {
        showMessage({.title = QStringLiteral("圖片轉成構字式"),
                     .text = QStringLiteral("請回到原始文件或解除文件保護後，再轉換圖片")});
        return;
    }
    application.setDisplayStatusBar(true);
    application.setStatusBar(QStringLiteral("圖片轉換中..."));
    application.setCursor(office::HostApplication::Cursor::Wait);
    application.setScreenUpdating(false);

    word::Range &selection = document->activeWindow().selection();
    const int start = selection.start();
    const int end = selection.end();
    word::InlineShapes &pictures = document->inlineShapes();
    // A replaced picture's place is taken by the next one, so the index only moves past
    // pictures that stay.
    for (int i = 1, n = pictures.count(); n > 0; --n) {
        word::InlineShape *picture = pictures.item(i);
        if (picture == nullptr)
            break;
        picture->select();
        const word::Font font = selection.font();
        const QString altText = picture->alternativeText();
        const bool marked =
            altText.startsWith(PictureAltMark) || altText.startsWith(PictureAltMarkNarrow);
        if (!marked || altText.size() == PictureAltMark.size()) {
            ++i;
            continue;
        }
        picture->deleteShape();
        selection.insertAfter(altText.mid(PictureAltMark.size()));
        selection.setFont(font);
    }
    selection.setRange(start, end);

    application.setScreenUpdating(true);
    application.setCursor(office::HostApplication::Cursor::Normal);
    application.setStatusBar(QStringLiteral("圖片轉換完畢"));
}

} // namespace porvex

#include "comAddIn/porvex/word/picturestoformulas.h"

#include "comAddIn/porvex/word/rangeconverter.h"
#include "platform/fonts/componenttypeface.h"
#include "platform/fonts/typefacetable.h"
#include "platform/office/word/application.h"

namespace porvex
{

namespace
{

// The symbols of the formula that range holds, in the component typeface of the formula's
// style: a program that reads the document would otherwise draw them from whatever face
// has those codes for other characters. Leaves range where it was.
void drawSymbolsInComponentFace(word::Range &range, const word::Font &formulaFont)
{
    word::Font symbols;
    symbols.name = fonts::componentFamily(formulaFont.name ? fonts::styleOf(*formulaFont.name)
                                                           : fonts::TypefaceStyle::Ming);
    const int start = range.start();
    const int end = range.end();
    const QString text = range.text();
    for (int i = 0; i < text.size(); ++i) {
        if (text[i].category() != QChar::Other_PrivateUse)
            continue;
        range.setRange(start + i, start + i + 1);
        range.setFont(symbols);
    }
    range.setRange(start, end);
}

} // namespace

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
        drawSymbolsInComponentFace(selection, font);
    }
    selection.setRange(start, end);

    application.setScreenUpdating(true);
    application.setCursor(office::HostApplication::Cursor::Normal);
    application.setStatusBar(QStringLiteral("圖片轉換完畢"));
}

} // namespace porvex
